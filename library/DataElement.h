#pragma once
// TCustomDataElement: an element that holds the bytes of a file with the file's type,
// shows them as a picture when they decode as one (reduced to at most 720 pixels wide)
// and as a hexadecimal dump otherwise, and lets the user load them from a file, save
// them to one, copy and paste them, convert them to another picture format and edit them
// in another program through a temporary file ("Apply" reads the file back, "Cancel"
// drops it). TElement_Image is the picture of comments.
//
// The temporary file of external editing belongs to one element: the element that
// created it, or the element that loaded its name from a document after the name was
// checked to be one of the program's own temporary files. No other element is handed
// the same name while the program runs, copies on the clipboard do not carry it, and
// Apply and Cancel read and delete only a file their element owns.

#include <cstdint>
#include <memory>

#include "elements/Palette.h"
#include "elements/VisualElement.h"
#include "text/TextElement.h"
#include "foundation/Streams.h"
#include "library/DataElementUtils.h"
#include "render/Bitmap32.h"

namespace quillora {

class TDataElementSettings;
class TExternalEditorSettings;

// DataOptions: the element is a picture (its open dialog starts with the pictures).
constexpr uint8_t doPicture = 0x02;

// The file dialogs of the data element, asked as FindService<TDataFileDialogs>(); without
// one the dialog commands do nothing.
class TDataFileDialogs {
public:
    virtual ~TDataFileDialogs() = default;
    struct TFilter {
        String Name;
        String Masks; // "*.png;*.jpg"
    };
    // True with the chosen file in `fileName`.
    virtual bool Open(const std::vector<TFilter>& filters, bool defaultFilterAll, String& fileName) = 0;
    virtual bool Save(const std::vector<TFilter>& filters, const String& defaultExtension, String& fileName) = 0;

    // The filters as the platform's dialogs take them: "Name (masks)|masks" entries
    // joined by "|" (a filter without masks is left out).
    static String FilterText(const std::vector<TFilter>& filters);
};

class TCustomDataElement : public TVisualElement, public ITextDataElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomDataElement, TVisualElement)

    ~TCustomDataElement() override;

    // ---- fields ----
    const TMemoryStream& Data() const { return *data_; }
    const String& Type() const { return type_; }
    int DataType() const { return DataTypeOf(type_); }
    uint16_t AllowedTypes() const { return allowedTypes_; }
    void SetAllowedTypes(uint16_t types) { allowedTypes_ = types; }
    uint8_t DataOptions() const { return dataOptions_; }
    const String& ExternalEditingFileName() const { return externalEditingFileName_; }
    bool InExternalEditing() const { return !externalEditingFileName_.empty(); }
    int NaturalWidth() const { return naturalWidth_; }
    int NaturalHeight() const { return naturalHeight_; }
    int PreviewScale() const { return previewScale_; }
    // The picture shown (decoded on first need); none when the data is no picture.
    const TBitmap32* Preview();

    // ---- data ----
    // Replaces the data and the type (not undoable).
    void SetData(const TMemoryStream& data, const String& type);
    // The same through an undoable operation.
    void SetDataUndoable(const TMemoryStream& data, const String& type);
    // Inflates `compressed` into the data (not undoable); damaged data raises and
    // changes nothing.
    void SetCompressedData(const TMemoryStream& compressed, const String& type);
    void SetCompressedDataUndoable(const TMemoryStream& compressed, const String& type);
    // The data as the undo units put it (no checks, not undoable).
    void RestoreData(const TMemoryStream& data, const String& type);
    // Sets the external-editing name and the element's state; reports to the sheet.
    void SetExternalEditingFileName(const String& name);

    // ---- preview and size ----
    // Decodes the data once after each change; true when a preview exists.
    bool GetPreview();
    // The picture's size, true when real; otherwise the defaults (100 x 100, or the
    // icon size for icons and cursors).
    bool GetImageSize(int& width, int& height);
    void UpdateSize();

    // ---- clipboard ----
    bool CanPasteData();
    // Pastes the private formats or a picture; false when the clipboard holds neither or
    // its private blocks are damaged (the element is left as it was).
    bool PasteData(bool undoable);

    // ---- files ----
    void LoadFromFile(const String& fileName, bool undoable);
    void SaveToFile(const String& fileName);
    void LoadFromFileDialog();
    void SaveToFileDialog();
    std::vector<TDataFileDialogs::TFilter> OpenDialogFilters() const;

    // ---- format ----
    // Converts through an undoable operation (with a warning for lossy targets).
    void SetFormat(int dataType);
    // Replaces the data by its picture encoded as `target` (a placeholder without one).
    void ConvertFormat(int target);

    // ---- external editing ----
    // Enter or double click: false when nothing was started.
    virtual bool EditDefault();
    // Writes the data to a new temporary file and opens it: with `program`, by it; with
    // `openWithDialog`, through the system's dialog; otherwise as the settings say.
    void StartExternalEditing(const String& program, bool openWithDialog);
    void Launch(const String& fileName, const String& program, bool openWithDialog);
    // Apply: reads the temporary file back (undoable), deletes it, leaves the mode.
    void ApplyExternalEditing();
    // Cancel: deletes the temporary file and leaves the mode.
    void CancelExternalEditing();
    // The "Open with" list of the Edit item: captions and program paths, then "-" and
    // "Open with..." (empty value).
    void GetEditSubItems(std::vector<String>& captions, std::vector<String>& values);
    // The editor settings group that decides for the element (see EditDefault); none
    // when the element has no value and does not allow PNG.
    TExternalEditorSettings* DecidingEditorSettings();
    // True when this element owns the file `fileName` as its temporary file.
    bool OwnsExternalEditingFile(const String& fileName) const;

    // ---- palette ----
    void GetPaletteItems(TPaletteItemList& list) override;
    void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) override;
    bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) override;
    bool ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value) override;

    // ---- element operations ----
    bool HasValue() override;
    void HasValueChanged() override;
    void Changed() override;
    void CheckValue() override;
    void IDChanged(int32_t oldID) override;
    void ExternalEditingChanged() override;
    void FocusChanged() override;
    void BoundsChanged(const TRect& oldRect, int oldDescent) override;
    void VisibleChanged() override;
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    bool CanDelete() override;
    bool CanCopy() override;
    bool CanPaste() override;
    void Delete() override;
    void Copy() override;
    bool Paste() override;
    bool DropFiles(const std::vector<String>& fileNames) override;

    // ---- ITextDataElement: a new element for a text's pasted picture or dropped file ----
    bool LoadPastedData() override { return PasteData(false); }
    bool TakesFile(const String& fileName) override;
    void LoadDroppedFile(const String& fileName) override { LoadFromFile(fileName, false); }
    void GetHint(String& text) override;
    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void DblClick() override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;

    // The settings of external editing: the group provided as
    // FindService<TDataElementSettings>(), else the defaults.
    static TDataElementSettings& Settings();

protected:
    void Create() override;

    uint8_t dataOptions_ = 0;

private:
    void DropPreview();
    String TemporaryFolder() const;

    std::shared_ptr<const TMemoryStream> data_;
    String type_;
    uint16_t allowedTypes_ = AllDataTypes;
    String externalEditingFileName_;
    std::unique_ptr<TBitmap32> preview_;
    bool previewTried_ = false;
    int naturalWidth_ = 0;
    int naturalHeight_ = 0;
    int previewScale_ = 100;
    int storedWidth_ = 0;  // "W" of an in-process transfer
    int storedHeight_ = 0; // "H"
};

class TElement_Image : public TCustomDataElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Image, TCustomDataElement)

    void Paint(TSheetCanvas& canvas, int paintFlags) override;

protected:
    void Create() override;
};

// Registers the image element (comment content) and its module's resources once.
void InitializeDataElements();

// The data element's palette commands.
enum TDataPaletteCommandKind : uint8_t {
    dpcEdit,
    dpcApply,
    dpcCancel,
    dpcPng,
    dpcJpeg,
    dpcGif,
    dpcBmp,
    dpcIco,
    dpcCur,
    dpcLoadFromFile,
    dpcSaveToFile,
    dpcCount
};

struct TDataPaletteCommand {
    TDataPaletteCommandKind Kind;
    int CaptionId;
    int HintId;
    int GroupCaptionId; // the caption string of its palette group
    int Flags;
    int Order;
    int LargeImage;     // within "diDataElementLargeImages"
    int DataType;       // the format a format command sets; 0 for the others
};

// The palette groups "Edit" and "Format" (caption string, order) and the commands, in
// the order they are registered.
struct TDataPaletteGroup {
    int CaptionId;
    int Order;
};
const std::vector<TDataPaletteGroup>& DataPaletteGroups();
const std::vector<TDataPaletteCommand>& DataPaletteCommands();
// The items the composition made of the commands (none: not offered).
void SetDataPaletteItem(TDataPaletteCommandKind kind, TPaletteItem* item);
TPaletteItem* GetDataPaletteItem(TDataPaletteCommandKind kind);

// The Edit command: a split button whose menu lists the programs that can open the
// element's type, then "Open with...".
class TDataEditPaletteItem : public TSubExecutablePaletteItem {
public:
    using TSubExecutablePaletteItem::TSubExecutablePaletteItem;
    // The sub-commands for `element` (its "Open with" list).
    void UpdateSubItems(TCustomDataElement& element);
    // The value text of the "Open with..." entry (never a program's path).
    static constexpr StringView OpenWithDialogValue = u"?";
};

// The first images of the strips "diDataElementLargeImages" (eight 32-pixel images: edit,
// apply, cancel, format, load, save, a spare frame, image) and "diDataElementSmallImages"
// in the element images (-1: not added).
extern int DataLargeImageBase;
extern int DataSmallImageBase;

} // namespace quillora
