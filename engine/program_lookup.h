#pragma once
// Finding the engine program by its file name, in the order the program start uses.

// Where locate_program found the program.
enum class ProgramPlace { nowhere, beside, installed, current_directory, search_path };

// Looks for an executable regular file `name` in beside_directory, then in installed_directory
// (each skipped when null or empty), then in the current directory, then in each directory of
// search_path (colon-separated, an empty entry meaning the current directory; skipped when
// null). Stores "directory/name" of the first hit into found and says where it was; nowhere
// when there is none or the path does not fit.
ProgramPlace locate_program(const char* name, const char* beside_directory, const char* installed_directory,
                            const char* search_path, char* found, int size);

// The directory of the running executable into directory; false when it cannot be told.
bool running_executable_directory(char* directory, int size);

// Where an installation keeps the engine, relative to the directory of the programs that start
// it: "<executable_directory>/../lib/tolvane". False when it does not fit into directory.
bool installed_engine_directory(const char* executable_directory, char* directory, int size);
