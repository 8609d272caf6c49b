// TfmOpen: the skin, each show, the listing of the DSM folder, the index file and the filling of
// the missing descriptions.

#include "library/tfm_open.h"

#include <unordered_map>

#include "base/text.h"
#include "library/dsm_description.h"
#include "library/dsm_names.h"
#include "library/library_texts.h"
#include "ui/mask.h"
#include "ui/skin.h"

namespace spindrel {

namespace {
constexpr int kFirstTickInterval = 10;
constexpr int kFillInterval = 50;
constexpr int kFirstTick = -1;
}  // namespace

TfmOpen::TfmOpen(LibraryPorts ports)
    : Timer1(ports.timers, kFirstTickInterval), ports_(std::move(ports)) {
    Timer1.setOnTick([this] { guarded([this] { Timer1Timer(); }); });
}

void TfmOpen::showException(const std::exception& error) {
    const std::string caption = ports_.boxCaption ? ports_.boxCaption() : std::string();
    ports_.messages.show(error.what(), caption, MsgButtons::ok, MsgIcon::error);
}

bool TfmOpen::LoadMaskFromFile(const std::string& path) {
    std::string bytes;
    if (ports_.fileIo.readAll(path, bytes) != 0)
        return false;
    const std::optional<Mask> mask = parseMask(bytes);
    if (!mask)
        return false;
    if (!mask->keepOutline) {
        model.windowRegion = mask->regionData;
        ++model.windowRegionVersion;
    }
    return true;
}

void TfmOpen::FormCreate() {
    model.tag = kFailed;
    model.pendingError = bitmapErrorText(library_texts::kPicture);
    Picture picture = ports_.bitmaps.load(library_texts::kPicture);
    if (!picture)
        return;
    model.CoolForm1.picture = picture;

    model.pendingError = library_texts::kMaskError;
    if (!LoadMaskFromFile(library_texts::kMask))
        return;

    SkinLoader loader(ports_.bitmaps, model.pendingError);
    model.pendingError = bitmapErrorText(buttonStripPath("load"));
    if (!loader.loadButtonStrip(model.loadbtn, "load"))
        return;
    model.pendingError = bitmapErrorText(buttonStripPath("cancel"));
    if (!loader.loadButtonStrip(model.cancelbtn, "cancel"))
        return;

    model.pendingError.clear();
    model.tag = 0;
    sizeColumn1();
    index.clear();
}

std::vector<ScreenRect> TfmOpen::FormShow(const ShowFacts& facts) {
    const ScreenPoint at =
        placeDialog(facts.placement, LibraryModel::kWidth, LibraryModel::kHeight);
    model.left = at.x;
    model.top = at.y;
    std::vector<ScreenRect> frames;
    if (facts.animateSliders) {
        frames = openingFrames(
            facts.openbtn, {at.x, at.y, at.x + LibraryModel::kWidth, at.y + LibraryModel::kHeight});
    }

    model.modalResult = ModalResult::none;
    model.resultName.clear();
    model.namefield.visible = false;
    model.focus = LibraryFocus::FileList;
    model.rows.clear();
    model.selected = -1;
    rowsChanged();
    quicksrchChange("");
    Timer1Tag = kFirstTick;
    Timer1.setInterval(kFirstTickInterval);
    Timer1.setEnabled(true);
    return frames;
}

void TfmOpen::FormClose() {
    if (!Timer1.enabled())
        writeIndex();
    // A hidden dialog has nothing to fill; the next show starts from an empty grid anyway.
    Timer1.setEnabled(false);
}

FillState TfmOpen::fillState() const {
    if (!Timer1.enabled())
        return FillState::stopped;
    return Timer1Tag == kFirstTick ? FillState::firstTickPending : FillState::filling;
}

void TfmOpen::Timer1Timer() {
    if (Timer1Tag == kFirstTick) {
        Timer1.setEnabled(false);
        const std::vector<FileEntry> entries = ports_.files.findFiles(library_texts::kDsmPattern);
        readIndex(entries);
        listDsms(library_list::kSerialBased, &entries);
        return;
    }
    fillOneDescription();
}

void TfmOpen::fillOneDescription() {
    const int count = static_cast<int>(model.rows.size());
    while (Timer1Tag < count &&
           !model.rows[static_cast<std::size_t>(Timer1Tag)].description.empty()) {
        ++Timer1Tag;
    }
    if (Timer1Tag >= count) {
        Timer1.setEnabled(false);
        return;
    }
    LibraryRow& row = model.rows[static_cast<std::size_t>(Timer1Tag)];
    std::string bytes;
    if (ports_.fileIo.readStart(row.name, kDescriptionReadLimit, bytes) == 0) {
        row.description = describeDsm(bytes);
        index.put(row.key, row.description);
    } else {
        // Shown as having none, and left out of the index, so that the next show tries again;
        // the filling goes on with the next row.
        row.description = library_texts::kNoDescription;
    }
    ++Timer1Tag;
    rowsChanged();
}

void TfmOpen::readIndex(const std::vector<FileEntry>& entries) {
    index.clear();
    const std::optional<FileTime> indexWritten =
        ports_.files.lastWriteTime(library_texts::kIndexFile);
    if (!indexWritten)
        return;
    std::string bytes;
    if (ports_.fileIo.readAll(library_texts::kIndexFile, bytes) != 0)
        return;

    // The folder was just listed: its times answer for nearly every entry without asking the
    // file system once per line.
    std::unordered_map<std::string, FileTime> listed;
    listed.reserve(entries.size());
    for (const FileEntry& entry : entries) {
        if (!entry.directory)
            listed.emplace(asciiLower(entry.name), entry.lastWrite);
    }
    index.read(bytes, *indexWritten, [&](const std::string& name) -> std::optional<FileTime> {
        const auto found = listed.find(asciiLower(name));
        if (found != listed.end())
            return found->second;
        return ports_.files.lastWriteTime(name);
    });
}

void TfmOpen::writeIndex() {
    if (index.size() == 0)
        return;
    // Replaced through a temporary file, so a failed write leaves the old index whole. A failure
    // costs no more than reading the descriptions again, so it is not reported.
    if (ports_.fileIo.replace(library_texts::kIndexFile, index.bytes()) != 0)
        return;
    ports_.files.setHiddenOnly(library_texts::kIndexFile);
}

void TfmOpen::listDsms(int list, const std::vector<FileEntry>* snapshot) {
    if (listing_)
        return;
    listing_ = true;
    // An error part way (shown by the handler's guard) must not leave the grid frozen and every
    // later listing refused.
    struct ListingEnd {
        TfmOpen& dialog;
        ~ListingEnd() {
            dialog.listing_ = false;
            dialog.model.updatesFrozen = false;
        }
    } listingEnd{*this};
    if (snapshot == nullptr)
        quicksrchChange("");
    model.based_serial.caption =
        list == library_list::kSerialBased ? library_texts::kListChosen : "";
    model.based_meaningful.caption =
        list == library_list::kMeaningful ? library_texts::kListChosen : "";
    ports_.pump.processMessages();

    model.updatesFrozen = true;
    Timer1.setEnabled(false);
    model.rows.clear();
    model.selected = -1;
    rowsChanged();

    std::vector<FileEntry> fresh;
    if (snapshot == nullptr) {
        fresh = ports_.files.findFiles(library_texts::kDsmPattern);
        snapshot = &fresh;
    }
    bool allIndexed = true;
    for (const FileEntry& entry : *snapshot) {
        // A folder named like a DSM cannot be loaded.
        if (entry.directory)
            continue;
        if (isSerialBasedName(entry.name) != (list == library_list::kSerialBased))
            continue;
        LibraryRow row{entry.name, "", asciiLower(entry.name)};
        if (const auto description = index.find(row.key)) {
            row.description = *description;
        } else {
            allIndexed = false;
        }
        model.rows.push_back(std::move(row));
        if (model.rows.size() == LibraryModel::kRowsInView)
            ports_.pump.processMessages();
    }
    rowsChanged();

    sortBy(allIndexed ? library_column::kDescription : library_column::kKey);
    model.selected = model.rows.empty() ? -1 : 0;
    sizeColumn1();
    Timer1Tag = 0;
    Timer1.setInterval(kFillInterval);
    if (!model.rows.empty())
        Timer1.setEnabled(true);
}

void TfmOpen::sizeColumn1() {
    model.column1Width = model.FileList.width - LibraryModel::kNameColumnWidth;
    if (static_cast<int>(model.rows.size()) > LibraryModel::kRowsInView) {
        model.column1Width -= model.scrollBarWidth;
    }
}

}  // namespace spindrel
