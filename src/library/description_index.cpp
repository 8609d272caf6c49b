#include "library/description_index.h"

#include "base/text.h"

namespace spindrel {

void DescriptionIndex::clear() {
    lines_.clear();
    first_.clear();
}

std::optional<std::string_view> DescriptionIndex::find(std::string_view name) const {
    const auto found = first_.find(asciiLower(name));
    if (found == first_.end())
        return std::nullopt;
    return std::string_view(lines_[found->second.line]).substr(found->second.descriptionAt);
}

void DescriptionIndex::addLine(std::string line) {
    const std::size_t equals = line.find('=');
    lines_.push_back(std::move(line));
    first_.try_emplace(asciiLower(std::string_view(lines_.back()).substr(0, equals)),
                       Entry{lines_.size() - 1, equals + 1});
}

void DescriptionIndex::reindex() {
    std::vector<std::string> lines = std::move(lines_);
    clear();
    for (std::string& line : lines)
        addLine(std::move(line));
}

void DescriptionIndex::put(const std::string& name, const std::string& description) {
    const auto found = first_.find(asciiLower(name));
    if (found == first_.end()) {
        addLine(name + "=" + description);
        return;
    }
    std::string& line = lines_[found->second.line];
    line = line.substr(0, found->second.descriptionAt) + description;
}

void DescriptionIndex::remove(std::string_view name) {
    const auto found = first_.find(asciiLower(name));
    if (found == first_.end())
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->second.line));
    reindex();
}

void DescriptionIndex::read(std::string_view bytes, FileTime indexWritten,
                            const FileTimes& fileTimes) {
    clear();
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\r', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::optional<FileTime> written = fileTimes(std::string(line.substr(0, equals)));
        if (!written || *written > indexWritten)
            continue;
        addLine(std::string(line));
    }
}

std::string DescriptionIndex::bytes() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace spindrel
