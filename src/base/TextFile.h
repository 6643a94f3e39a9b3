#pragma once
// Whole text files as lists of CR LF lines, read and written as raw bytes
// (the callers decode Windows-1251 themselves, since scrambled lines must be
// handled byte by byte).

#include <cstddef>
#include <string>
#include <vector>

namespace vargis {

// The most any whole-file read takes in: the program's files are kilobytes.
inline constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// Reads a regular file of at most maxBytes. A folder, a pipe or a device is
// refused without reading (a pipe without a writer cannot block the read),
// and so is a longer file. FileError naming the path and the reason.
std::string readBytes(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes);

// Splits at CR LF (a lone LF or CR also ends a line, as the toolkit's string
// lists do). A final line break adds no empty line.
std::vector<std::string> splitLines(const std::string& bytes);

// The lines, each ended by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// readBytes, split into lines.
std::vector<std::string> readLines(const std::string& path,
                                   std::size_t maxBytes = kMaxTextFileBytes);

// The number of lines splitLines would give, counted without splitting.
std::size_t countLines(const std::string& bytes);

// readLines of a file that holds at most maxLines lines: a longer one is
// refused (FileError naming the path) before it is split, so that a file of
// millions of short lines never takes many times its size in memory.
std::vector<std::string> readLinesAtMost(const std::string& path, std::size_t maxLines,
                                         std::size_t maxBytes = kMaxTextFileBytes);

// Writes the lines, each ended by CR LF, through saveFileAtomically: a
// failure part-way leaves the old file intact. FileError naming the path and
// the reason on failure.
void writeLines(const std::string& path, const std::vector<std::string>& lines);

// Writes bytes as they are, with the same protection.
void writeBytes(const std::string& path, const std::string& bytes);

bool fileExists(const std::string& path);

// Removes the file when it exists; returns whether it did.
bool removeFile(const std::string& path);

} // namespace vargis
