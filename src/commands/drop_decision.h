#pragma once

#include "core/message.h"
#include "platform/platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Adding the file dropped on the list: its description from its name, the scan for a
// target already listed, and numbered descriptions for names already taken.
namespace quivanto {

// What a drop delivered: the platform's file list, if the dropped object had one.
struct DroppedFiles {
    bool hasFileList = false;
    std::vector<std::string> paths;
};

// Everything after the last separator; the whole path when it has none.
std::string_view droppedFileName(std::string_view path, char separator);

// The file name fitted into the 30-character description field.
std::string descriptionForFileName(std::string_view fileName, const TextEncoding& encoding = {});

enum class ScanResult { Add, DuplicatePath, DuplicateDescription };

struct DuplicateScan {
    ScanResult result = ScanResult::Add;
    std::string itemLine;           // to add, with the description as renamed
    std::string matchedDescription; // the listed line's description that refused it
};

// Compares the new item with every row: a listed target refuses it; a taken description
// is given ~2, ~3 ... and checked again from the first row; past ~99 it is refused.
DuplicateScan scanForDuplicates(const std::vector<std::string>& rows, std::string_view description,
                                std::string_view path, const TextEncoding& encoding = {});

struct DropDecision {
    bool showList = false;               // bring the list window up before anything is told
    std::optional<Message> message;      // a refusal
    std::optional<std::string> itemLine; // the line to append and show
};

// How the system names files, as far as a drop cares.
struct PathRules {
    char separator = '/';
    bool namesMayEndWithSpace = true; // else trailing spaces are no part of a name
};

// The dropped path as it is stored: leading spaces removed, and trailing ones too where
// no name can end with a space.
std::string_view droppedPath(std::string_view path, const PathRules& rules);

DropDecision decideDrop(const DroppedFiles& dropped, const std::vector<std::string>& rows,
                        const PathRules& rules, const TextEncoding& encoding = {});

} // namespace quivanto
