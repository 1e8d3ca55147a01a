#include "shell/Modules.h"

#include "elements/Palette.h"
#include "elements/Unaccepted.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "library/DateTimeMaskPaletteItem.h"
#include "library/Titled.h"
#include "foundation/Localization.h"
#include "typing/MacroElements.h"

namespace quillora {

namespace {

// The key elements' groups and items in the program's palette.
void AddMacroPaletteItems()
{
    TPalette& palette = Palette();
    for (const TMacroPaletteGroup& group : MacroPaletteGroups())
        if (!palette.FindGroup(group.CaptionId)) new TPaletteGroup(&palette, group.CaptionId, group.Order);
    for (const TMacroPaletteItem& item : MacroPaletteItems()) {
        int captionId = pgInsert;
        for (const TMacroPaletteGroup& group : MacroPaletteGroups())
            if (group.Name == item.Group) captionId = group.CaptionId;
        TPaletteGroup* group = palette.FindGroup(captionId);
        const auto flags = static_cast<uint16_t>(item.Flags);
        if (item.Class == &TElement_DateTime::Class()) {
            auto* dateItem = new TDateTimeMaskPaletteItem(group, *item.Class, item.CaptionId, item.HintId, item.Order,
                                                          flags, item.ImageIndex);
            AddElementClassPaletteItem(*item.Class, dateItem);
        } else {
            AddElementPaletteItem(group, *item.Class, item.CaptionId, item.HintId, item.Order, flags, item.ImageIndex);
        }
    }
}

// The comment, the logic frame and the signs, the image, the Collapsed and Description
// commands, the image's commands.
void AddLibraryPaletteItems()
{
    TPalette& palette = Palette();
    for (const TCommonPaletteGroup& group : CommonPaletteGroups())
        if (!palette.FindGroup(group.CaptionId)) new TPaletteGroup(&palette, group.CaptionId, group.Order);
    for (const TCommonPaletteItem& item : CommonPaletteItems()) {
        TPaletteGroup* group = palette.FindGroup(item.GroupCaptionId);
        TElementPaletteItem* added = AddElementPaletteItem(group, *item.Class, item.CaptionId, item.HintId, item.Order,
                                                           static_cast<uint16_t>(item.Flags), item.Image);
        if (item.Key) added->Key = item.Key;
    }
    const int imageImage = DataLargeImageBase >= 0 ? DataLargeImageBase + 7 : 0;
    AddElementPaletteItem(palette.FindGroup(pgInsert), TElement_Image::Class(), sidImage, sidImageHint, 100,
                          pifLargeButton, imageImage);

    for (const TTitledPaletteCommand* command : {&CollapsedPaletteCommand(), &DescriptionPaletteCommand()}) {
        const int image = TitledLargeImageBase >= 0 ? TitledLargeImageBase + command->LargeImage : 0;
        auto* item = new TSchemePaletteItem(palette.FindGroup(command->GroupCaptionId), command->CaptionId,
                                            command->HintId, command->Order, static_cast<uint16_t>(command->Flags),
                                            command->Key, image);
        if (command == &CollapsedPaletteCommand()) SetCollapsedPaletteItem(item);
        else SetDescriptionPaletteItem(item);
    }

    for (const TDataPaletteGroup& group : DataPaletteGroups())
        if (!palette.FindGroup(group.CaptionId)) new TPaletteGroup(&palette, group.CaptionId, group.Order);
    for (const TDataPaletteCommand& command : DataPaletteCommands()) {
        TPaletteGroup* group = palette.FindGroup(command.GroupCaptionId);
        const int image = DataLargeImageBase >= 0 ? DataLargeImageBase + command.LargeImage : 0;
        const auto flags = static_cast<uint16_t>(command.Flags);
        TPaletteItem* item =
            command.Kind == dpcEdit
                ? static_cast<TPaletteItem*>(
                      new TDataEditPaletteItem(group, command.CaptionId, command.HintId, command.Order, flags, {}, image))
                : new TSchemePaletteItem(group, command.CaptionId, command.HintId, command.Order, flags, {}, image);
        SetDataPaletteItem(command.Kind, item);
    }
}

} // namespace

void InitializeModules()
{
    static bool done = false;
    if (done) return;
    done = true;
    TElement_Unaccepted::Register();
    InitializeMacroElements();
    InitializeCommonElements();
    InitializeDataElements();
    AddMacroPaletteItems();
    AddLibraryPaletteItems();
}

} // namespace quillora
