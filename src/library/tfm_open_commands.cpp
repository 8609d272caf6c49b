// TfmOpen: what the user does with the listed DSMs: sorting, quick search, load and cancel,
// rename and delete.

#include <algorithm>

#include "base/text.h"
#include "library/dsm_names.h"
#include "library/library_texts.h"
#include "library/tfm_open.h"

namespace spindrel {

namespace {
constexpr int kPointerFromRight = 5;
}  // namespace

bool TfmOpen::hasSelection() const {
    return model.selected >= 0 && model.selected < static_cast<int>(model.rows.size());
}

void TfmOpen::showError(const char* text) {
    ports_.messages.show(text, ports_.boxCaption ? ports_.boxCaption() : std::string(),
                         MsgButtons::ok, MsgIcon::error);
}

bool TfmOpen::sortedByDescription() const {
    return model.sortdesc.caption == library_texts::kSortIndicator;
}

void TfmOpen::sortClick(int column) {
    if (listing_)
        return;
    sortBy(column);
}

void TfmOpen::sortBy(int column) {
    quicksrchChange("");
    // The selected DSM stays selected wherever it moves.
    const std::optional<LibraryRow> chosen =
        hasSelection() ? std::optional<LibraryRow>(selectedRow()) : std::nullopt;
    const auto field = [column](const LibraryRow& row) -> const std::string& {
        return column == library_column::kDescription ? row.description : row.key;
    };
    std::stable_sort(model.rows.begin(), model.rows.end(),
                     [&](const LibraryRow& a, const LibraryRow& b) {
                         return compareFolded(field(a), field(b)) < 0;
                     });
    if (chosen) {
        model.selected = static_cast<int>(std::find(model.rows.begin(), model.rows.end(), *chosen) -
                                          model.rows.begin());
    }
    rowsChanged();
    const bool byName = column == model.sortfile.tag;
    model.sortfile.caption =
        byName ? library_texts::kSortIndicator : library_texts::kNoSortIndicator;
    model.sortdesc.caption =
        byName ? library_texts::kNoSortIndicator : library_texts::kSortIndicator;
    // Rows have moved under the filling: it looks at them all again.
    if (Timer1.enabled())
        Timer1Tag = 0;
}

void TfmOpen::FileListSelect(int row) {
    if (row >= 0 && row < static_cast<int>(model.rows.size()))
        model.selected = row;
}

void TfmOpen::FileListKeyPress(char key) {
    if (key == '\r') {
        loadbtnClick();
        return;
    }
    if (key < 32 || key > 126 || listing_)
        return;
    if (!sortedByDescription()) {
        ports_.messages.beep(BeepKind::question);
        const MsgAnswer answer =
            ports_.messages.show(library_texts::kSortFirstQuestion,
                                 ports_.boxCaption ? ports_.boxCaption() : std::string(),
                                 MsgButtons::yesNo, MsgIcon::question);
        if (answer != MsgAnswer::yes)
            return;
        sortBy(library_column::kDescription);
    }
    model.Panel1.visible = true;
    model.focus = LibraryFocus::quicksrch;
    quicksrchChange(std::string(1, key));
}

void TfmOpen::quicksrchChange(const std::string& text) {
    model.quicksrch.caption = text;
    if (text.empty()) {
        if (model.Panel1.visible || model.focus == LibraryFocus::quicksrch) {
            model.focus = LibraryFocus::FileList;
        }
        model.Panel1.visible = false;
        return;
    }
    const std::string wanted = asciiLower(text);
    for (std::size_t row = 0; row < model.rows.size(); ++row) {
        if (asciiLower(model.rows[row].description).compare(wanted) >= 0) {
            model.selected = static_cast<int>(row);
            return;
        }
    }
}

void TfmOpen::loadbtnClick() {
    model.resultName = hasSelection() ? selectedRow().name : std::string();
    model.modalResult = model.resultName.empty() ? ModalResult::cancel : ModalResult::ok;
}

void TfmOpen::cancelbtnClick() {
    model.resultName.clear();
    model.modalResult = ModalResult::cancel;
}

void TfmOpen::Rename1Click(int rowTop) {
    if (!hasSelection() || listing_)
        return;
    Control& field = model.namefield;
    field.caption = selectedRow().name;
    field.left = model.FileList.left;
    field.top = model.FileList.top + rowTop - 1;
    field.visible = true;
    model.focus = LibraryFocus::namefield;
    model.movePointerTo =
        ScreenPoint{field.left + field.width - kPointerFromRight, field.top + field.height / 2};
}

void TfmOpen::namefieldExit() {
    if (!model.namefield.visible)
        return;
    model.namefield.visible = false;
    if (model.focus == LibraryFocus::namefield)
        model.focus = LibraryFocus::FileList;
}

void TfmOpen::namefieldEnter(const std::string& typed) {
    namefieldExit();
    if (!hasSelection())
        return;
    LibraryRow& row = selectedRow();
    const std::string newName = renamedDsmName(typed);
    if (newName == row.name)
        return;
    // A rename stays inside the DSM folder, where the dialog lists and loads from.
    if (leavesTheFolder(newName) || ports_.files.moveFile(row.name, newName) != 0) {
        showError(library_texts::kRenameError);
        return;
    }
    const std::string newKey = asciiLower(newName);
    // The description goes with the file. An entry left under the new name (of a file deleted
    // earlier) would otherwise be trusted for this one, whose last-write time a rename keeps.
    const std::optional<std::string> known =
        index.find(row.key) ? std::optional<std::string>(*index.find(row.key)) : std::nullopt;
    index.remove(row.key);
    index.remove(newKey);
    if (known)
        index.put(newKey, *known);
    row.name = newName;
    row.key = newKey;
    model.sortfile.caption.clear();
    rowsChanged();
}

void TfmOpen::Delete1Click() {
    if (!hasSelection() || listing_)
        return;
    const std::string name = selectedRow().name;
    const MsgAnswer answer =
        ports_.messages.show(library_texts::kDeleteQuestion + name,
                             ports_.boxCaption ? ports_.boxCaption() : std::string(),
                             MsgButtons::yesNo, MsgIcon::question);
    if (answer != MsgAnswer::yes)
        return;
    // The box let messages run: find the row again.
    const auto row = std::find_if(model.rows.begin(), model.rows.end(),
                                  [&](const LibraryRow& r) { return r.name == name; });
    if (ports_.files.deleteFile(name) != 0) {
        showError(library_texts::kDeleteError);
        return;
    }
    if (row == model.rows.end())
        return;
    const int at = static_cast<int>(row - model.rows.begin());
    index.remove(row->key);
    model.rows.erase(row);
    // Rows below moved up by one; the filling must not skip the one that took this place.
    if (Timer1.enabled() && Timer1Tag > at)
        --Timer1Tag;
    model.selected = std::min(model.selected, static_cast<int>(model.rows.size()) - 1);
    sizeColumn1();
    rowsChanged();
}

}  // namespace spindrel
