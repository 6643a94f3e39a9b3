#pragma once
// The archive of draws: every draw of the last imported file, oldest first,
// one "DD.MM.YYYY;n1;n2;n3;n4;n5" line each, beside the draw table. The
// table keeps only the newest 50; the back-test may run over the archive.

#include "base/AtomicSave.h"
#include "history/DrawImport.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vargis::history {

// Path of the archive of a kind, relative to the current directory.
std::string archivePath(const std::string& kindFolder);

bool archiveExists(const std::string& kindFolder);

// The most draws an archive holds: a game drawn every few minutes for years.
inline constexpr std::size_t kMaxArchiveDraws = 1'000'000;

// RangeError when the draws are more than an archive holds.
void checkArchiveSize(std::size_t draws);

// Stages the draws (in the order given) as the archive in a set of saves,
// creating its folder. RangeError when they are more than kMaxArchiveDraws.
void stageDrawArchive(SaveSet& set, const std::string& kindFolder,
                      const std::vector<ImportedDraw>& draws);

// Writes the draws as the archive alone, through a temporary file renamed
// over the old one. FileError on failure.
void writeDrawArchive(const std::string& kindFolder, const std::vector<ImportedDraw>& draws);

// Reads the archive at `path`. A line with a date that is not a calendar
// date, with other than five numbers, a number outside 1..highestNumber, a
// repeated number, or a date earlier than the line before is a
// ConversionError or RangeError naming the file and the line; blank lines
// are skipped. FileError when the file cannot be read.
std::vector<ImportedDraw> loadDrawArchive(const std::string& path, int highestNumber);

} // namespace vargis::history
