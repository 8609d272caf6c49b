#include "macro/dsm_document.h"

#include "macro/dsm_texts.h"
#include "macro/io_error_text.h"
#include "macro/wait_text.h"

namespace spindrel {

DsmModel::DsmModel() {
    ModLabel.caption = texts::kModLabelCaption;
    ModLabel.hint = texts::kModLabelHint;
    ModLabel.visible = false;
    NoClicks.caption = "0";
    runtime.caption = "0.0";
}

DsmDocument::DsmDocument(DsmModel& model, FileSystemPort& files, FileIoPort& io)
    : model_(model), files_(files), io_(io) {}

bool DsmDocument::load(const ButtonNames& known) {
    if (!files_.fileExists(fileName()))
        return false;
    std::string bytes;
    if (const int error = io_.readAll(fileName(), bytes); error != 0)
        throwInOutError(error);
    fill(parseDsmFile(bytes, known));
    clearModified();
    return true;
}

void DsmDocument::fill(DsmContent content) {
    model_.Notes = std::move(content.notes);
    model_.ClickList = std::move(content.clicks);
    ++model_.clickListGeneration;
    model_.NoClicks.caption = std::to_string(model_.ClickList.size());
    model_.runtime.caption = formatWait(content.total) + "s";
}

void DsmDocument::save(const std::string& fileName) {
    const std::string bytes = writeDsmFile(model_.Notes, model_.ClickList);
    if (const int error = io_.replace(fileName, bytes); error != 0)
        throwInOutError(error);
    clearModified();
}

void DsmDocument::clear() {
    model_.Notes.clear();
    model_.ClickList.clear();
    ++model_.clickListGeneration;
    model_.runtime.caption = "0s";
    model_.NoClicks.caption = "0";
}

void DsmDocument::recount() {
    double total = 0;
    for (const Click& click : model_.ClickList)
        total += waitOrZero(click.wait);
    model_.NoClicks.caption = std::to_string(model_.ClickList.size());
    model_.runtime.caption = formatWait(total);
}

void DsmDocument::notesChanged(std::vector<std::string> lines) {
    model_.Notes = std::move(lines);
    markModified();
}

void DsmDocument::appendNotes(const std::vector<std::string>& lines) {
    model_.Notes.insert(model_.Notes.end(), lines.begin(), lines.end());
    markModified();
}

}  // namespace spindrel
