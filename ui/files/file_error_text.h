#pragma once
// The text of the box that a failed save shows, and the platform's failures mapped onto its causes.
#include <cstdint>

// "Datei-Fehler : " followed by the cause's text (nothing for an unknown cause). The text lives in one
// static buffer that every call overwrites.
const char* FileErrorText(int32_t cause);

// The cause number for an errno value of an operation on path. A missing file is cause 2, but 3 when
// the folder that should hold it is missing too; failures without a cause of their own are 1.
int32_t file_error_cause(int error_number, const char* path);
