#pragma once
// Finding the engine program by its file name, in the order the program start uses.

// Looks for an executable regular file `name` in beside_directory (skipped when null or empty),
// then in the current directory, then in each directory of search_path (colon-separated, an
// empty entry meaning the current directory; skipped when null). Stores "directory/name" of the
// first hit into found and returns true; false when there is none or the path does not fit.
bool locate_program(const char* name, const char* beside_directory, const char* search_path,
                    char* found, int size);

// The directory of the running executable into directory; false when it cannot be told.
bool running_executable_directory(char* directory, int size);
