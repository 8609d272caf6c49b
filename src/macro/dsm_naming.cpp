#include "macro/dsm_naming.h"

#include "base/text.h"
#include "macro/dsm_texts.h"

namespace spindrel {

std::string defaultDsmName(const std::string& identity) {
    if (identity.size() < 9)
        return "";
    return asciiLower(identity.substr(0, 4) + identity.substr(5, 4)) + ".dsm";
}

SaveDialogOptions dsmSaveDialogOptions(const std::string& initialFolder) {
    SaveDialogOptions options;
    options.title = texts::kSaveDialogTitle;
    options.filter = texts::kSaveDialogFilter;
    options.defaultExtension = texts::kSaveDialogDefaultExt;
    options.initialFolder = initialFolder;
    options.overwritePrompt = true;
    options.hideReadOnly = true;
    options.noChangeDirectory = true;
    options.pathMustExist = true;
    options.noNetworkButton = true;
    return options;
}

DsmNaming::DsmNaming(DsmDocument& document, DiscScanner& disc, FileSystemPort& files,
                     MessageBoxPort& messages, MessagePump& pump, SaveDialogPort& saveDialog,
                     LibraryDialogPort& libraryDialog, DsmNamingHooks hooks)
    : document_(document),
      disc_(disc),
      files_(files),
      messages_(messages),
      pump_(pump),
      saveDialog_(saveDialog),
      libraryDialogPort_(libraryDialog),
      hooks_(std::move(hooks)) {}

MsgAnswer DsmNaming::ask(const std::string& text) {
    const std::string caption = hooks_.boxCaption ? hooks_.boxCaption() : std::string();
    return messages_.show(text, caption, MsgButtons::yesNoCancel, MsgIcon::question);
}

bool DsmNaming::loadDocument() {
    const std::vector<std::string> names =
        hooks_.knownButtons ? hooks_.knownButtons() : std::vector<std::string>();
    return document_.load(ButtonNames(names));
}

bool DsmNaming::loadDocumentAs(const std::string& name) {
    const std::string previous = document_.fileName();
    document_.setFileName(name);
    try {
        return loadDocument();
    } catch (...) {
        // The document still holds what it held before: under the unreadable file's name a
        // save would overwrite that file with an unrelated macro.
        document_.setFileName(previous);
        throw;
    }
}

bool DsmNaming::askAboutUnsavedChanges() {
    if (!document_.modified())
        return true;
    switch (ask(texts::kUnsavedQuestion)) {
        case MsgAnswer::no:
            return true;
        case MsgAnswer::yes:
            savebtnClick();
            return !document_.fileName().empty();
        default:
            return false;
    }
}

void DsmNaming::newbtnClick() {
    if (!askAboutUnsavedChanges())
        return;
    document_.clearModified();
    repaint();
    disc_.scan();
    document_.setFileName("");
    document_.clear();
}

void DsmNaming::openbtnClick() {
    repaint();
    if (!askAboutUnsavedChanges())
        return;
    if (!libraryDialog_)
        libraryDialog_ = libraryDialogPort_.create();
    if (const std::string error = libraryDialog_->setupError(); !error.empty()) {
        libraryDialog_.reset();
        const std::string caption = hooks_.boxCaption ? hooks_.boxCaption() : std::string();
        messages_.show(error, caption, MsgButtons::ok, MsgIcon::error);
        return;
    }
    const std::optional<std::string> chosen = libraryDialog_->showModal();
    if (!chosen)
        return;
    if (loadDocumentAs(*chosen) && hooks_.showInfoPanel)
        hooks_.showInfoPanel();
}

void DsmNaming::savebtnClick() {
    repaint();
    if (document_.fileName().empty()) {
        const std::optional<std::string> path =
            saveDialog_.saveFile(dsmSaveDialogOptions(saveDialogInitialDir));
        if (!path)
            return;
        document_.setFileName(*path);
    }
    document_.save(document_.fileName());
    if (hooks_.refreshPointer)
        hooks_.refreshPointer();
}

void DsmNaming::makenamebtnClick() {
    repaint();
    if (disc_.identity().empty())
        disc_.scan();
    if (disc_.identity().empty())
        return;

    const std::string name = defaultDsmName(disc_.identity());
    if (name == document_.fileName())
        return;

    MsgAnswer answer = MsgAnswer::no;
    if (files_.fileExists(name)) {
        answer = ask(texts::kMakeNameExistsStart + name + texts::kMakeNameExistsEnd);
        if (answer == MsgAnswer::cancel)
            return;
    }
    if (answer != MsgAnswer::yes) {
        document_.setFileName(name);
        return;
    }
    if (loadDocumentAs(name) && hooks_.showInfoPanel)
        hooks_.showInfoPanel();
}

void DsmNaming::clearnamebtnClick() {
    document_.setFileName("");
}

bool DsmNaming::selectDiscDsm() {
    disc_.scan();
    if (disc_.identity().empty())
        return false;
    const std::string name = defaultDsmName(disc_.identity());
    if (files_.fileExists(name))
        return loadDocumentAs(name);
    if (document_.fileName().empty())
        document_.setFileName(name);
    return false;
}

void DsmNaming::prepareDiscNewDsm() {
    if (!document_.fileName().empty() || disc_.identity().empty())
        return;
    makenamebtnClick();
    document_.appendNotes({std::begin(texts::kNewDsmNotes), std::end(texts::kNewDsmNotes)});
}

}  // namespace spindrel
