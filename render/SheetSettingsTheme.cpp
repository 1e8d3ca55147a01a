#include "render/SheetSettingsTheme.h"

#include "render/SheetSettings.h"
#include "render/Theme.h"

namespace quillora {

void FontSizeScale(int fontSize, int& fontDelta, int& percent)
{
    switch (fontSize) {
    case sfsLarge:
        fontDelta = 2;
        percent = 140;
        break;
    case sfsGreat:
        fontDelta = 4;
        percent = 180;
        break;
    default:
        fontDelta = 0;
        percent = 100;
        break;
    }
}

int ScaleByFontSize(int fontSize, int value)
{
    if (fontSize != sfsLarge && fontSize != sfsGreat) return value;
    int delta = 0;
    int percent = 100;
    FontSizeScale(fontSize, delta, percent);
    return static_cast<int>(int64_t{value} * percent / 100);
}

TSheetSettingsTheme::TSheetSettingsTheme(TSheetSettings& settings) : settings_(settings)
{
    settings_.AddNotifyEvent(BindNotify<&TSheetSettingsTheme::SettingsChanged>(this));
}

TSheetSettingsTheme::~TSheetSettingsTheme()
{
    settings_.RemoveNotifyEvent(BindNotify<&TSheetSettingsTheme::SettingsChanged>(this));
}

TSheetTheme& TSheetSettingsTheme::GetTheme()
{
    Follow();
    if (!theme_) {
        auto theme = std::make_unique<TSheetTheme>();
        const String name = settings_.Theme().Value();
        if (themesFolder_.empty())
            LoadTheme(*theme, name);
        else
            LoadTheme(*theme, name, themesFolder_);
        theme_ = std::move(theme);
        loadedName_ = name;
        ApplyFontSize();
    }
    return *theme_;
}

void TSheetSettingsTheme::ApplyFontSize()
{
    appliedSize_ = settings_.FontSize().Value();
    if (!theme_) return;
    int delta = 0;
    int percent = 100;
    FontSizeScale(appliedSize_, delta, percent);
    theme_->SetScale(delta, percent);
    ++generation_;
}

int TSheetSettingsTheme::ScaleByFontSize(int value) const
{
    return quillora::ScaleByFontSize(settings_.FontSize().Value(), value);
}

void TSheetSettingsTheme::SetThemesFolder(String folder)
{
    if (folder == themesFolder_) return;
    themesFolder_ = std::move(folder);
    DropTheme();
}

void TSheetSettingsTheme::SettingsChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2)
{
    Follow();
}

void TSheetSettingsTheme::Follow()
{
    if (!theme_) return;
    if (settings_.Theme().Value() != loadedName_)
        DropTheme();
    else if (settings_.FontSize().Value() != appliedSize_)
        ApplyFontSize();
}

void TSheetSettingsTheme::DropTheme()
{
    if (!theme_) return;
    theme_.reset();
    loadedName_.clear();
    ++generation_;
}

} // namespace quillora
