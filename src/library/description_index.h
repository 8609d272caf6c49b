#pragma once
// The descriptions of the DSMs, kept between shows in "descriptions.idx": one entry a line, the
// lower-case file name, "=" and the description (trailing space included), CR LF ends.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system_port.h"

namespace spindrel {

class DescriptionIndex {
  public:
    // The last-write time of a file by name, nothing when it does not exist.
    using FileTimes = std::function<std::optional<FileTime>(const std::string& name)>;

    void clear();
    std::size_t size() const { return lines_.size(); }
    const std::vector<std::string>& lines() const { return lines_; }

    // The description of the first entry whose name (the text before its first "=") equals the
    // given one, letter case ignored.
    // The view lasts until the list changes.
    std::optional<std::string_view> find(std::string_view name) const;
    // Replaces the first entry of that name, or adds one at the end.
    void put(const std::string& name, const std::string& description);
    void remove(std::string_view name);

    // Empties the list, then takes every line of the file that has an "=" and whose file exists
    // and was last written no later than the index file.
    void read(std::string_view bytes, FileTime indexWritten, const FileTimes& fileTimes);
    // The file's bytes: every entry and CR LF.
    std::string bytes() const;

  private:
    void addLine(std::string line);
    void reindex();

    std::vector<std::string> lines_;
    struct Entry {
        std::size_t line;
        std::size_t descriptionAt;  // just after the "="
    };
    std::unordered_map<std::string, Entry> first_;  // by folded name
};

}  // namespace spindrel
