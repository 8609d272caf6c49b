#include "library/description_index.h"

#include "base/text.h"
#include "macro/dsm_format.h"

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
    forEachDsmLine(bytes, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::optional<FileTime> written = fileTimes(std::string(line.substr(0, equals)));
        if (!written || *written > indexWritten)
            return;
        addLine(std::string(line));
    });
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
