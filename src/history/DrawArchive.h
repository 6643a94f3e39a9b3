#pragma once
// The archive of draws: every draw of the last imported file, oldest first,
// one "DD.MM.YYYY;n1;n2;n3;n4;n5" line each ("DD.MM.YYYY HH:MM;n1;...;n5"
// where the file gave a time), beside the draw table. The
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

// The archive's line of a draw, and the archive's text of draws (each line
// ended by CR LF).
std::string drawArchiveLine(const ImportedDraw& draw);
std::string drawArchiveText(const std::vector<ImportedDraw>& draws);

// Reads the archive at `path`; a line's date may carry a time HH:MM. A line with a date that is not
// a calendar date, with other than five numbers, a number outside 1..highestNumber, a repeated
// number, or a date earlier than the line before is a ConversionError or RangeError naming the file
// and the line; blank lines are skipped. FileError when the file cannot be read.
std::vector<ImportedDraw> loadDrawArchive(const std::string& path, int highestNumber);

// The archive after the draw table was edited by hand and saved. `before`
// is the table as it was loaded, `after` every draw the saved grid holds,
// both oldest first. When the archive ends with `before` (the table is its
// newest part, as an import leaves it), that part is replaced by `after`,
// the times of draws left as they were kept. Otherwise the draws of every
// date of `after` replace the archive's draws of that date, and dates of
// `before` that `after` lacks are deleted. Ordered by date either way.
std::vector<ImportedDraw> mergeTableIntoArchive(std::vector<ImportedDraw> archive,
                                                const std::vector<ImportedDraw>& before,
                                                const std::vector<ImportedDraw>& after);

} // namespace vargis::history
