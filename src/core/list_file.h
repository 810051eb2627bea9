#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quivanto {

class Platform;

// A file operation on the list failed; the text names the file and the system's reason.
class ListFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ListFileError(const std::string& what, std::error_code reason)
        : std::runtime_error(what)
        , reason_(reason) {}

    // The system's reason, for callers that report failures by number.
    const std::error_code& reason() const { return reason_; }

private:
    std::error_code reason_;
};

inline constexpr const char* ListFileName = "list.dat";
inline constexpr const char* ScratchFileName = "temp.dat";

// Splits file bytes into item lines: a line ends at CR LF, CR or LF (a list written or
// extended by a Unix editor has LF line ends); the last line needs no line end.
std::vector<std::string> splitListBytes(std::string_view bytes);

// True when appending to a file with these last bytes would join the new line onto an
// unfinished last line.
bool needsLineEndBeforeAppend(std::string_view bytes);

// The file `list.dat` and its scratch file `temp.dat` in one folder. Every change, an added
// line included, is all or nothing: the whole new content is written to the scratch file
// and flushed, then replaces the list in one step that is on disk when the change returns.
// After a power cut at any moment the list is the old or the new one, never missing, half
// written or holding a half line. Errors throw ListFileError.
class ListFile {
public:
    using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

    // An empty folder means the working folder.
    ListFile(const std::string& folder, Platform& platform);

    const std::string& path() const { return listPath_; }
    const std::string& scratchPath() const { return scratchPath_; }
    // Another file in the list's folder.
    std::string besideList(const char* name) const;

    // Start-up check: a missing list is taken back from a scratch file left by an
    // interrupted rewrite; a missing or empty list is written with the two defaults.
    void ensureExists();

    std::vector<std::string> readLines() const;

    void writeDefaultList();
    void appendItemLine(std::string_view line);

    // Rewrites dropping the first line equal to `line`. False when none was equal.
    bool deleteItemLine(std::string_view line);

    // Rewrites putting `newLine` in place of the first line equal to `oldLine`.
    bool replaceItemLine(std::string_view newLine, std::string_view oldLine);

private:
    std::string readBytes(const std::string& file) const;
    void readBytesInto(const std::string& file, std::string& bytes) const;
    void rewrite(const std::vector<std::string>& lines);
    void replaceList(std::string_view bytes);
    void replaceThroughScratch(std::string_view bytes);
    FileHandle createScratchFile();

    std::string folder_;
    std::string listPath_;
    std::string scratchPath_;
    Platform& platform_;
};

// The two items a new list starts with.
std::vector<std::string> defaultItemLines();

} // namespace quivanto
