// The settings tree: keys and defaults, reading and writing through knots and files,
// setters, notifications and the first run.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "elements/Sounds.h"
#include "foundation/FixedLocaleList.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/SessionFile.h"
#include "shell/Global.h"
#include "shell/Settings.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

class TFakeSettingsPlatform : public TSettingsPlatform {
public:
    TFakeSettingsPlatform(int fontSize, int border) : fontSize_(fontSize), border_(border) {}
    TFontData MessageFont() const override
    {
        TFontData font;
        font.Name = u"Tahoma";
        font.Size = fontSize_;
        font.Color = clWindowText;
        font.Style = fsItalic;
        font.Charset = DefaultCharset;
        return font;
    }
    int BorderWidth() const override { return border_; }

private:
    int fontSize_;
    int border_;
};

std::string U8(const String& s) { return StringToUtf8(s); }

std::string FontText(const TFontData& f)
{
    return U8(f.Name) + " " + std::to_string(f.Size) + " c" + std::to_string(f.Color) + " s" +
           std::to_string(f.Style) + " cs" + std::to_string(f.Charset);
}

// The class, default and range of a property.
std::string Describe(const TProperty& p)
{
    if (auto* b = dynamic_cast<const TBooleanProperty*>(&p)) return b->DefaultValue() ? "bool 1" : "bool 0";
    if (auto* i = dynamic_cast<const TIntegerProperty*>(&p))
        return "int " + std::to_string(i->DefaultValue()) + " " + std::to_string(i->MinValue()) + ".." +
               std::to_string(i->MaxValue());
    if (auto* s = dynamic_cast<const TStringProperty*>(&p)) return "string '" + U8(s->DefaultValue()) + "'";
    if (auto* e = dynamic_cast<const TEnumProperty*>(&p)) {
        std::string out = "enum " + std::to_string(e->DefaultValue()) + " {";
        for (size_t k = 0; k < e->EntryNames().size(); ++k) out += (k ? "|" : "") + U8(e->EntryNames()[k]);
        return out + "}";
    }
    if (auto* f = dynamic_cast<const TFontProperty*>(&p)) return "font " + FontText(f->DefaultFont());
    return "group";
}

// The current value of a key.
std::string ValueText(const TProperty& p)
{
    if (auto* b = dynamic_cast<const TBooleanProperty*>(&p)) return b->Value() ? "1" : "0";
    if (auto* i = dynamic_cast<const TIntegerProperty*>(&p)) return std::to_string(i->Value());
    if (auto* s = dynamic_cast<const TStringProperty*>(&p)) return U8(s->Value());
    if (auto* e = dynamic_cast<const TEnumProperty*>(&p)) return std::to_string(e->Value());
    if (auto* f = dynamic_cast<const TFontProperty*>(&p)) return FontText(f->CurrentFont());
    return "";
}

// Every property in pre-order with its path ("General/Interval").
void Walk(TProperty& p, const std::string& path, const std::function<void(TProperty&, const std::string&)>& f)
{
    for (TProperty* c = p.FirstProperty(); c; c = c->NextProperty()) {
        std::string childPath = path.empty() ? U8(c->Key()) : path + "/" + U8(c->Key());
        f(*c, childPath);
        Walk(*c, childPath, f);
    }
}

std::vector<std::string> Values(TProperty& root)
{
    std::vector<std::string> out;
    Walk(root, "", [&](TProperty& p, const std::string& path) { out.push_back(path + "=" + ValueText(p)); });
    return out;
}

// Gives every key a value other than its default.
void MakeNonDefault(TProperty& root)
{
    Walk(root, "", [](TProperty& p, const std::string&) {
        if (auto* b = dynamic_cast<TBooleanProperty*>(&p)) b->SetValue(!b->DefaultValue());
        if (auto* i = dynamic_cast<TIntegerProperty*>(&p))
            i->SetValue(i->DefaultValue() == i->MaxValue() ? i->MinValue() : i->DefaultValue() + 1);
        if (auto* s = dynamic_cast<TStringProperty*>(&p)) s->SetValue(s->DefaultValue() + u"-x \"y\" <&> \u0416");
        if (auto* e = dynamic_cast<TEnumProperty*>(&p))
            e->SetValue((e->DefaultValue() + 1) % static_cast<int>(e->EntryNames().size()));
        if (auto* f = dynamic_cast<TFontProperty*>(&p)) {
            TFontData font{u"Courier New", 13, clNavy, fsBold | fsUnderline | fsStrikeOut, 204};
            f->SetCurrentFont(font);
        }
    });
}

TProperty& At(TProperty& root, const std::string& path)
{
    TProperty* p = &root;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        p = p->FindProperty(Utf8ToString(path.substr(start, end - start)));
        if (!p) throw std::runtime_error("no property " + path);
        start = end + 1;
    }
    return *p;
}

struct Settings : ::testing::Test {
    TFakeSettingsPlatform platform{8, 2};
    TSettings settings{platform};
    TModuleSettings modules;
    TSoundsSettings sounds;  // never attached
    Settings() { modules.AttachTo(settings); }
};

TEST_F(Settings, EveryKeyWithItsDefaultAndRangeInFileOrder)
{
    const char* font = "font Tahoma 10 c4278190088 s2 cs1";  // the message font raised to 10 points
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"General", "group"},
        {"General/Language", "string ''"},
        {"General/AutoStart", "bool 1"},
        {"General/ShowInTray", "bool 1"},
        {"General/ShowByHotKey", "bool 0"},
        {"General/HotKey", "string 'Ctrl+Shift+Y'"},
        {"General/HideByEsc", "bool 1"},
        {"General/HideToTrayByMinimizeButton", "bool 0"},
        {"General/DataFileName", "string ''"},
        {"General/BackupFileName", "string ''"},
        {"General/DropDownHotKey", "string 'Ctrl+B'"},
        {"General/DropDownFont", font},
        {"General/Method", "enum 1 {Method1|}"},
        {"General/Interval", "int 1 1..200"},
        {"Sheet", "group"},
        {"Sheet/Theme", "string 'Default'"},
        {"Sheet/FontSize", "enum 0 {|Large|Great}"},
        {"Sheet/NonPrintingCharacters", "bool 0"},
        {"Sheet/CaretSize", "int 2 1..20"},  // the border width
        {"Sheet/FocusNew", "bool 0"},
        {"Sheet/DropDownOnFocusNew", "bool 1"},
        {"Sheet/IncreaseWorkspaceHeight", "bool 0"},
        {"Sheet/Data", "group"},
        {"Sheet/Data/ExternalEditorBitmaps", "group"},
        {"Sheet/Data/ExternalEditorBitmaps/DefaultAction", "enum 0 {|CustomEditor|None}"},
        {"Sheet/Data/ExternalEditorBitmaps/CustomEditor", "string ''"},
        {"Sheet/Data/ExternalEditorIcons", "group"},
        {"Sheet/Data/ExternalEditorIcons/DefaultAction", "enum 0 {|CustomEditor|None}"},
        {"Sheet/Data/ExternalEditorIcons/CustomEditor", "string ''"},
        {"Sheet/Data/ExternalEditorCursors", "group"},
        {"Sheet/Data/ExternalEditorCursors/DefaultAction", "enum 0 {|CustomEditor|None}"},
        {"Sheet/Data/ExternalEditorCursors/CustomEditor", "string ''"},
        {"Sheet/Data/ExternalEditorMetafiles", "group"},
        {"Sheet/Data/ExternalEditorMetafiles/DefaultAction", "enum 0 {|CustomEditor|None}"},
        {"Sheet/Data/ExternalEditorMetafiles/CustomEditor", "string ''"},
        {"Sheet/Data/ExternalEditorOther", "group"},
        {"Sheet/Data/ExternalEditorOther/DefaultAction", "enum 0 {|CustomEditor|None}"},
        {"Sheet/Data/ExternalEditorOther/CustomEditor", "string ''"},
        {"Sheet/Naming", "group"},
        {"Sheet/Naming/FillEnabled", "bool 1"},
        {"Sheet/Naming/FillMode", "enum 0 {|Upper|Lower|Extra}"},
        {"Sheet/Naming/FillNumberFirst", "bool 1"},
        {"Sheet/Naming/FillUnderscore", "bool 0"},
        {"Sheet/Naming/FillDigits", "int 1 1..12"},
        {"Sheet/Log", "group"},
        {"Sheet/Log/WriteInformation", "bool 1"},
        {"Sheet/Log/WriteHints", "bool 1"},
        {"Sheet/Log/WriteWarnings", "bool 1"},
        {"Search", "group"},
        {"Search/CaseSensitiveByDefault", "bool 0"},
        {"Search/VisibleOnlyByDefault", "bool 0"},
        {"Search/EnabledOnlyByDefault", "bool 0"},
        {"Print", "group"},
        {"Print/Theme", "string 'Default'"},
        {"Print/FontSize", "enum 0 {|Large|Great}"},
        {"Print/Scale", "int 50 1..500"},
        {"Misc", "group"},
        {"Misc/BackupOnSave", "bool 1"},
        {"SheetForm", "group"},
        {"SheetForm/ShowHints", "bool 1"},
        {"PaletteForm", "group"},
        {"PaletteForm/ShowHeaders", "bool 1"},
        {"PaletteForm/ShowCaptions", "bool 1"},
        {"PaletteForm/ShowHints", "bool 1"},
    };
    std::vector<std::pair<std::string, std::string>> actual;
    Walk(settings, "", [&](TProperty& p, const std::string& path) {
        actual.emplace_back(path, Describe(p));
        if (auto* one = dynamic_cast<TOneValueProperty*>(&p)) {
            EXPECT_TRUE(one->IsDefault()) << path;
        }
    });
    EXPECT_EQ(actual, expected);

    EXPECT_EQ(Describe(sounds.Enabled()), "bool 1");
    EXPECT_EQ(sounds.Parent(), nullptr);
    EXPECT_EQ(&settings.General().Interval(), &At(settings, "General/Interval"));
    EXPECT_EQ(&modules.Data().ExternalEditorOther(), &At(settings, "Sheet/Data/ExternalEditorOther"));
}

TEST(SettingsPlatformDefaults, DropDownFontIsRaisedToTenPointsOnly)
{
    EXPECT_EQ(TSettings(TFakeSettingsPlatform(9, 1)).General().DropDownFont().DefaultFont().Size, 10);
    EXPECT_EQ(TSettings(TFakeSettingsPlatform(12, 1)).General().DropDownFont().DefaultFont().Size, 12);

    // The program's settings take the provided platform's defaults.
    TFakeSettingsPlatform fake(8, 3);
    {
        TProvide<TSettingsPlatform> provideFake(fake);
        TGlobal global;
        EXPECT_EQ(global.Settings().General().DropDownFont().CurrentFont().Name, u"Tahoma");
        EXPECT_EQ(global.Settings().Sheet().CaretSize().Value(), 3);
    }

    TSettings platformDefaults(Service<TSettingsPlatform>());
    const TFontData& font = platformDefaults.General().DropDownFont().DefaultFont();
    EXPECT_GE(font.Size, 10);
    EXPECT_FALSE(font.Name.empty());
#ifndef _WIN32
    EXPECT_EQ(font.Name, u"Segoe UI");
    EXPECT_EQ(font.Size, 10);
    EXPECT_EQ(platformDefaults.Sheet().CaretSize().Value(), 1);
#endif
}

TEST_F(Settings, DefaultsWriteTheFontAloneMarkedAsTheDefault)
{
    TempFolder folder;
    TSessionFile file(u"settings");
    file.SetFileName(folder.File(u"Quillora.settings"));
    settings.SaveChildren(file.Knot());

    // Keys at their defaults are left out; groups and fonts are always written.
    std::vector<std::string> keyNodes;
    std::function<void(TKnot&, int)> collect = [&](TKnot& k, int level) {
        if (k.ParamCount()) keyNodes.push_back(U8(k.GetPath()));
        for (TKnot* c = k.FirstKnot(); c; c = c->NextKnot()) collect(*c, level + 1);
    };
    collect(file.Knot(), 0);
    EXPECT_EQ(keyNodes, std::vector<std::string>{".General.DropDownFont"});

    ASSERT_TRUE(file.Save());
    // Every other group node is empty and left out.
    EXPECT_EQ(ReadBytes(file.FileName()),
              "\xEF\xBB\xBF<Quillora>\r\n\t<General>\r\n\t\t<DropDownFont Name=Tahoma Size=10 Color=000000 Style=I "
              "Charset=DEFAULT_CHARSET Default=1/>\r\n\t</General>\r\n</Quillora>\r\n");
}

TEST_F(Settings, AFontAtItsDefaultFollowsTheSystemFontAChosenOneStays)
{
    TKnot file;
    settings.SaveChildren(file);
    // The next start finds another message font.
    TFakeSettingsPlatform changed(14, 2);
    TSettings later(changed);
    later.LoadChildren(file);
    EXPECT_TRUE(later.General().DropDownFont().IsDefault());
    EXPECT_EQ(later.General().DropDownFont().CurrentFont().Size, 14);

    const TFontData chosen{u"Courier New", 13, clNavy, fsBold, 204};
    settings.General().DropDownFont().SetCurrentFont(chosen);
    TKnot again;
    settings.SaveChildren(again);
    TSettings laterStill(changed);
    laterStill.LoadChildren(again);
    EXPECT_EQ(laterStill.General().DropDownFont().CurrentFont(), chosen);

    // The system font itself, chosen explicitly, is the default and follows it too.
    settings.General().DropDownFont().SetCurrentFont(settings.General().DropDownFont().DefaultFont());
    TKnot third;
    settings.SaveChildren(third);
    laterStill.LoadChildren(third);
    EXPECT_EQ(laterStill.General().DropDownFont().CurrentFont().Size, 14);
}

TEST_F(Settings, NonDefaultValuesRoundTripThroughASettingsFile)
{
    TempFolder folder;
    MakeNonDefault(settings);
    settings.General().DataFileName().SetValue(u"C:\\Users\\\u0418\u0432\u0430\u043D\\\u6587\u66F8\\\U0001F600.tpt");
    sounds.Enabled().SetValue(false);

    TSessionFile file(u"settings");
    file.SetFileName(folder.File(u"Quillora.settings"));
    settings.SaveChildren(file.Knot());
    ASSERT_TRUE(file.Save());
    std::string bytes = ReadBytes(file.FileName());
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(bytes.find("Sounds"), std::string::npos);

    TSessionFile again(u"settings");
    again.SetFileName(file.FileName());
    again.Load();
    ASSERT_EQ(again.LoadState(), lsLoaded);
    TSettings read(platform);
    TModuleSettings readModules;
    readModules.AttachTo(read);
    read.LoadChildren(again.Knot());

    EXPECT_EQ(Values(read), Values(settings));
    EXPECT_EQ(read.General().DataFileName().Value(), settings.General().DataFileName().Value());
    EXPECT_FALSE(read.General().Method().IsDefault());
    EXPECT_TRUE(TSoundsSettings().Enabled().Value());  // never stored
    EXPECT_FALSE(sounds.Enabled().Value());            // lasts while the program runs
}

struct ReadCase {
    const char* Path;   // "." between the names
    const char* Text;   // the stored "Value"; null: the node has no "Value"
    const char* Value;  // ValueText after reading
};

TEST_F(Settings, StoredValuesReadAsTheEncodingSays)
{
    const ReadCase cases[] = {
        {"General.Interval", "500", "1"},  // out of range: the default, not clamped
        {"General.Interval", "0", "1"},
        {"General.Interval", "200", "200"},
        {"General.Interval", "7x", "1"},
        {"General.Interval", nullptr, "1"},
        {"Print.Scale", "-3", "50"},
        {"Sheet.CaretSize", "20", "20"},
        {"General.Method", "method1", "0"},
        {"General.Method", "METHOD1", "0"},
        {"General.Method", "Method2", "1"},
        {"General.Method", "", "1"},
        {"Sheet.FontSize", "great", "2"},
        {"Sheet.FontSize", "Huge", "0"},
        {"Sheet.Data.ExternalEditorIcons.DefaultAction", "none", "2"},
        {"General.ShowInTray", "0", "0"},
        {"General.ShowInTray", "yes", "1"},
        {"General.ShowByHotKey", "1", "1"},
        {"General.ShowByHotKey", nullptr, "0"},
        {"General.HotKey", "", ""},
        {"General.HotKey", nullptr, "Ctrl+Shift+Y"},
        {"Sheet.Theme", "Dark \"x\"", "Dark \"x\""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string(c.Path) + " = " + (c.Text ? c.Text : "(none)"));
        MakeNonDefault(settings);  // what is read replaces these
        TKnot root;
        TKnot* node = root.GetKnotByPath(Utf8ToString(c.Path), true);
        if (c.Text) node->WriteString(u"Value", Utf8ToString(c.Text));
        settings.LoadChildren(root);
        std::string path = c.Path;
        for (char& ch : path)
            if (ch == '.') ch = '/';
        EXPECT_EQ(ValueText(At(settings, path)), c.Value);
        // Everything that is missing from the tree is back at its default.
        EXPECT_TRUE(settings.Search().CaseSensitiveByDefault().IsDefault());
        EXPECT_TRUE(settings.General().DropDownFont().IsDefault());
    }
}

TEST_F(Settings, SettersClampAndCompare)
{
    struct Case {
        std::function<void()> Set;
        TProperty& Key;
        const char* Value;
    } cases[] = {
        {[&] { settings.General().Interval().SetValue(500); }, settings.General().Interval(), "200"},
        {[&] { settings.General().Interval().SetValue(-7); }, settings.General().Interval(), "1"},
        {[&] { settings.Print().Scale().SetValue(1000); }, settings.Print().Scale(), "500"},
        {[&] { modules.Naming().FillDigits().SetValue(13); }, modules.Naming().FillDigits(), "12"},
        {[&] { settings.General().Method().SetValue(5); }, settings.General().Method(), "1"},
        {[&] { settings.General().Method().SetValue(-1); }, settings.General().Method(), "0"},
        {[&] { settings.Sheet().FontSize().SetValue(9); }, settings.Sheet().FontSize(), "2"},
    };
    for (Case& c : cases) {
        c.Set();
        EXPECT_EQ(ValueText(c.Key), c.Value) << U8(c.Key.Key());
    }

    // A default set at start-up: a value equal to it is not written.
    TStringProperty& data = settings.General().DataFileName();
    data.SetDefaultValue(u"C:\\Docs\\Quillora.tpt");
    EXPECT_EQ(data.Value(), u"");
    data.SetValue(data.DefaultValue());
    EXPECT_TRUE(data.IsDefault());
    TKnot file;
    settings.SaveChildren(file);
    EXPECT_EQ(file.GetKnotByPath(u"General.DataFileName"), nullptr);

    TStringProperty& theme = settings.Sheet().Theme();
    theme.SetValue(u"default");  // strings compare exactly
    EXPECT_EQ(theme.Value(), u"default");
    EXPECT_FALSE(theme.IsDefault());
}

// Counts pnChanged per notifying property.
struct Counter {
    std::map<TItfObject*, int> counts;
    std::vector<intptr_t> params;
    void OnNotify(TItfObject* sender, int notify, intptr_t p1, intptr_t)
    {
        if (notify != pnChanged) return;
        ++counts[sender];
        params.push_back(p1);
    }
    void Watch(TProperty& p) { p.AddNotifyEvent(BindNotify<&Counter::OnNotify>(this)); }
    int operator[](TProperty& p) { return counts[&p]; }
};

TEST_F(Settings, ChangingOneKeyNotifiesKeyGroupAndRootOnce)
{
    Counter n;
    TIntegerProperty& interval = settings.General().Interval();
    n.Watch(interval);
    n.Watch(settings.General());
    n.Watch(settings);
    n.Watch(settings.Sheet());

    interval.SetValue(40);
    EXPECT_EQ(n[interval], 1);
    EXPECT_EQ(n[settings.General()], 1);
    EXPECT_EQ(n[settings], 1);
    EXPECT_EQ(n[settings.Sheet()], 0);
    EXPECT_EQ(n.params, (std::vector<intptr_t>{intptr_t(&interval), intptr_t(&interval), intptr_t(&interval)}));

    interval.SetValue(40);   // unchanged
    interval.SetValue(999);  // clamped to 200: a change
    interval.SetValue(300);  // clamped to 200 again: none
    EXPECT_EQ(n[settings], 2);

    // A locked group stays silent, its key and the root do not; Unlock notifies anyway.
    settings.General().Lock();
    interval.SetValue(3);
    EXPECT_EQ(n[interval], 3);
    EXPECT_EQ(n[settings.General()], 2);
    EXPECT_EQ(n[settings], 3);
    settings.General().Unlock();
    EXPECT_EQ(n[settings.General()], 3);
    settings.Sheet().Lock();
    settings.Sheet().Unlock();
    EXPECT_EQ(n[settings.Sheet()], 1);
    EXPECT_EQ(n[settings], 3);

    // Reset is silent.
    settings.Reset();
    EXPECT_EQ(interval.Value(), 1);
    EXPECT_EQ(n[settings], 3);

    // The font reports its own changes.
    TFontData font = settings.General().DropDownFont().CurrentFont();
    font.Style = fsBold;
    settings.General().DropDownFont().SetCurrentFont(font);
    settings.General().DropDownFont().SetCurrentFont(font);
    EXPECT_EQ(n[settings], 4);
}

TEST_F(Settings, ReadingAWholeTreeNotifiesEachGroupOnceAndTheRootOnce)
{
    TKnot file;
    file.GetKnotByPath(u"General.Interval", true)->WriteString(u"Value", u"20");
    file.GetKnotByPath(u"General.HotKey", true)->WriteString(u"Value", u"Ctrl+Q");
    file.GetKnotByPath(u"Sheet.Log.WriteHints", true)->WriteString(u"Value", u"0");

    Counter n;
    std::vector<TProperty*> groups;
    Walk(settings, "", [&](TProperty& p, const std::string&) {
        if (!dynamic_cast<TOneValueProperty*>(&p) && !dynamic_cast<TFontProperty*>(&p)) {
            groups.push_back(&p);
            n.Watch(p);
        }
    });
    n.Watch(settings);
    n.Watch(settings.General().Interval());
    n.Watch(settings.General().Language());

    settings.LoadChildren(file);

    EXPECT_EQ(groups.size(), 15u);
    for (TProperty* g : groups) EXPECT_EQ(n[*g], 1) << U8(g->Key());
    EXPECT_EQ(n[settings], 1);
    EXPECT_EQ(n[settings.General().Interval()], 1);  // read from the tree
    EXPECT_EQ(n[settings.General().Language()], 1);  // missing: reset
    EXPECT_EQ(settings.General().Interval().Value(), 20);
    EXPECT_EQ(settings.General().HotKey().Value(), u"Ctrl+Q");
    EXPECT_FALSE(modules.Log().WriteHints().Value());

    // Assigning a whole tree also notifies the root once.
    TSettings other(platform);
    MakeNonDefault(other);
    n.counts.clear();
    settings.Assign(other);
    EXPECT_EQ(n[settings], 1);
    EXPECT_EQ(settings.General().Interval().Value(), other.General().Interval().Value());
    EXPECT_EQ(settings.General().DropDownFont().CurrentFont(), other.General().DropDownFont().CurrentFont());
}

TEST_F(Settings, FontParametersThatAreMissingKeepTheCurrentValues)
{
    TFontData before{u"Verdana", 14, clRed, fsBold | fsItalic, 204};
    settings.General().DropDownFont().SetCurrentFont(before);

    TKnot file;
    file.GetKnotByPath(u"General.DropDownFont", true)->WriteString(u"Name", u"Arial");
    settings.LoadChildren(file);

    const TFontData& font = settings.General().DropDownFont().CurrentFont();
    EXPECT_EQ(font.Name, u"Arial");
    EXPECT_EQ(font.Size, 14);
    EXPECT_EQ(font.Color, clRed);
    EXPECT_EQ(font.Style, fsBold | fsItalic);
    EXPECT_EQ(font.Charset, DefaultCharset);  // a missing "Charset" reads as the default
}

TEST_F(Settings, FirstRunSetsTheLanguageOfTheUsersLocale)
{
    {
        TFixedLocaleList german({}, 1031);
        TProvide<ILocaleList> provideGerman(german);
        settings.NotifyTree(pnFirstRun, 0, true, 0);
    }

    EXPECT_EQ(settings.General().Language().Value(), u"DEU");
    settings.General().Language().Reset();
    TSettings fresh(platform);
    TModuleSettings freshModules;
    freshModules.AttachTo(fresh);
    EXPECT_EQ(Values(settings), Values(fresh));  // nothing else changed
}

TEST_F(Settings, ModuleGroupsOutliveTheRoot)
{
    auto root = std::make_unique<TSettings>(platform);
    TModuleSettings own;
    own.AttachTo(*root);
    EXPECT_EQ(own.Data().Parent(), &root->Sheet());
    EXPECT_EQ(own.PaletteForm().Parent(), root.get());
    root.reset();  // detaches instead of destroying
    EXPECT_EQ(own.Data().Parent(), nullptr);
    own.Data().ExternalEditorOther().CustomEditor().SetValue(u"x.exe");
    EXPECT_EQ(own.Data().ExternalEditorOther().CustomEditor().Value(), u"x.exe");

    modules.Detach();
    EXPECT_EQ(settings.Sheet().FindProperty(u"Data"), nullptr);
    EXPECT_EQ(settings.FindProperty(u"SheetForm"), nullptr);
}

} // namespace
} // namespace quillora
