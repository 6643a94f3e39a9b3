#pragma once
// Whole text files as lists of CR LF lines, read and written as raw bytes
// (the callers decode Windows-1251 themselves, since scrambled lines must be
// handled byte by byte).

#include <string>
#include <vector>

namespace vargis {

// Reads the file and splits it at CR LF (a lone LF or CR also ends a line,
// as the toolkit's string lists do). A final line break adds no empty line.
// FileError naming the path when the file cannot be opened.
std::vector<std::string> readLines(const std::string& path);

// Writes the lines, each ended by CR LF, to a temporary file beside the
// target and renames it over the target, so a failure part-way leaves the
// old file intact. FileError naming the path on failure.
void writeLines(const std::string& path, const std::vector<std::string>& lines);

// Writes bytes as they are, with the same temporary-file protection.
void writeBytes(const std::string& path, const std::string& bytes);

bool fileExists(const std::string& path);

// Removes the file when it exists; returns whether it did.
bool removeFile(const std::string& path);

} // namespace vargis
