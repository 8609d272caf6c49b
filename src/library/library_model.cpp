#include "library/library_model.h"

#include "library/library_texts.h"
#include "ui/placement.h"

namespace spindrel {

namespace {

Control label(const skin::Rect& rect, int tag, const char* hint, const char* caption) {
    Control control;
    place(control, rect);
    control.tag = tag;
    control.hint = hint;
    control.caption = caption;
    return control;
}

}  // namespace

LibraryModel::LibraryModel() {
    namespace layout = skin::open_dialog;
    using namespace library_texts;
    place(FileList, layout::FileList);
    sortfile = label(layout::sortfile, library_column::kKey, kSortfileHint, kNoSortIndicator);
    sortdesc =
        label(layout::sortdesc, library_column::kDescription, kSortdescHint, kNoSortIndicator);
    based_serial = label(layout::based_serial, library_list::kSerialBased, "", kListChosen);
    based_meaningful = label(layout::based_meaningful, library_list::kMeaningful, "", "");
    place(loadbtn, layout::loadbtn);
    place(cancelbtn, layout::cancelbtn);
    namefield = label(layout::namefield, 0, kNamefieldHint, "");
    namefield.visible = false;
    Panel1 = label(layout::Panel1, 0, kPanel1Hint, kPanel1Caption);
    Panel1.visible = false;
    quicksrch = label(skin::Panel1::quicksrch, 0, kQuicksrchHint, "");
    filemenu = {
        {"Load1", kLoadItem, true, false, true, 0},
        {"N1", "-", true, false, false, 0},
        {"Rename1", kRenameItem, true, false, false, 0},
        {"Delete1", kDeleteItem, true, false, false, 0},
    };
}

}  // namespace spindrel
