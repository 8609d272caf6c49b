#include "macro/file_panel.h"

#include "macro/dsm_texts.h"

namespace spindrel {

namespace {
Control button(int tag, const char* hint) {
    Control control;
    control.tag = tag;
    control.hint = hint;
    return control;
}
}  // namespace

FilePanelModel::FilePanelModel()
    : newbtn(button(file_tag::kNew, texts::kNewbtnHint)),
      openbtn(button(file_tag::kOpen, texts::kOpenbtnHint)),
      savebtn(button(file_tag::kSave, texts::kSavebtnHint)),
      makenamebtn(button(file_tag::kMakeName, texts::kMakenamebtnHint)),
      clearnamebtn(button(file_tag::kClearName, texts::kClearnamebtnHint)) {}

void FilePanelModel::mouseMoveOver(int tag) {
    filesys_hint.caption = filesysHint(tag);
}

std::string filesysHint(int tag) {
    if (tag < file_tag::kNew || tag > file_tag::kClearName)
        return "";
    return texts::kFilesysHints[tag - 1];
}

}  // namespace spindrel
