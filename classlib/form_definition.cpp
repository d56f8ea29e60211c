#include "form_definition.h"

#include <string.h>

#include "error_text.h"

namespace {

typedef ObjectDescription D;

struct Ident {
    const char* name;
    int value;
};

const Ident kBools[] = {{"False", 0}, {"True", 1}, {nullptr, 0}};
const Ident kBorderStyles[] = {{"bsNone", bsNone}, {"bsSingle", bsSingle}, {"bsSizeable", bsSizeable},
                               {"bsDialog", bsDialog}, {nullptr, 0}};
const Ident kFormStyles[] = {{"fsNormal", fsNormal}, {"fsStayOnTop", fsStayOnTop}, {nullptr, 0}};
const Ident kPositions[] = {{"poDesigned", poDesigned}, {"poDesktopCenter", poDesktopCenter}, {nullptr, 0}};
const Ident kColors[] = {{"clBtnFace", kColorBtnFace}, {"clWindowText", kColorWindowText},
                         {"clBtnText", kColorBtnText}, {nullptr, 0}};
const Ident kCharsets[] = {{"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {nullptr, 0}};
const Ident kFontStyles[] = {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline},
                             {"fsStrikeOut", fsStrikeOut}, {nullptr, 0}};

enum ValueType { vtInt, vtString, vtBool, vtIdent, vtSet, vtEvent };

enum : unsigned {
    kForm = 1u << okForm,
    kButton = 1u << okButton,
    kLabel = 1u << okLabel,
    kImage = 1u << okImage,
    kManifest = 1u << okManifest,
    kVisual = kButton | kLabel | kImage,
    kPlaced = kVisual | kManifest,
};

struct Setting {
    unsigned kinds;  // which kinds of object take it
    const char* name;
    ValueType type;
    int D::*number = nullptr;
    AnsiString D::*text = nullptr;
    bool D::*flag = nullptr;
    const Ident* idents = nullptr;  // for vtIdent and vtSet
    EventKind event = ekNone;
};

constexpr Setting Int(unsigned kinds, const char* name, int D::*field) { return {kinds, name, vtInt, field}; }
constexpr Setting Text(unsigned kinds, const char* name, AnsiString D::*field)
{
    return {kinds, name, vtString, nullptr, field};
}
constexpr Setting Bool(unsigned kinds, const char* name, bool D::*field)
{
    return {kinds, name, vtBool, nullptr, nullptr, field, kBools};
}
constexpr Setting Choice(unsigned kinds, const char* name, int D::*field, const Ident* idents)
{
    return {kinds, name, vtIdent, field, nullptr, nullptr, idents};
}
constexpr Setting Event(unsigned kinds, const char* name, int D::*field, EventKind event)
{
    return {kinds, name, vtEvent, field, nullptr, nullptr, nullptr, event};
}

const Setting kSettings[] = {
    Int(kForm | kPlaced, "Left", &D::left),
    Int(kForm | kPlaced, "Top", &D::top),
    Int(kVisual, "Width", &D::width),
    Int(kVisual, "Height", &D::height),
    Int(kForm, "ClientWidth", &D::width),
    Int(kForm, "ClientHeight", &D::height),
    Text(kForm | kButton | kLabel, "Caption", &D::caption),
    Choice(kForm, "BorderStyle", &D::borderStyle, kBorderStyles),
    Choice(kForm, "FormStyle", &D::formStyle, kFormStyles),
    Choice(kForm, "Position", &D::position, kPositions),
    Choice(kForm, "Color", &D::color, kColors),
    Text(kForm, "Font.Name", &D::fontName),
    Int(kForm, "Font.Height", &D::fontHeight),
    Choice(kForm, "Font.Charset", &D::fontCharset, kCharsets),
    Choice(kForm, "Font.Color", &D::fontColor, kColors),
    {kForm, "Font.Style", vtSet, &D::fontStyle, nullptr, nullptr, kFontStyles},
    Int(kForm, "PixelsPerInch", &D::pixelsPerInch),
    Bool(kForm, "KeyPreview", &D::keyPreview),
    Event(kForm, "OnKeyUp", &D::onKeyUp, ekKey),
    Event(kForm, "OnClose", &D::onClose, ekNotify),
    Bool(kImage | kLabel, "AutoSize", &D::autoSize),
    Bool(kImage, "Transparent", &D::transparent),
    Text(kImage, "Picture", &D::picture),
    Bool(kLabel, "WordWrap", &D::wordWrap),
    Bool(kButton, "Default", &D::isDefault),
    Bool(kButton, "Cancel", &D::isCancel),
    Int(kButton, "TabOrder", &D::tabOrder),
    Event(kButton, "OnClick", &D::onClick, ekNotify),
};

const char* const kKindNames[] = {"TForm", "TButton", "TLabel", "TImage", "TXPManifest"};

bool SameText(const char* a, size_t length, const char* b)
{
    for (size_t i = 0; i < length; ++i) {
        char x = a[i], y = b[i];
        if (y == '\0')
            return false;
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return b[length] == '\0';
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

// A run of characters within the text being read.
struct Span {
    const char* begin = nullptr;
    size_t length = 0;
    bool Is(const char* word) const { return SameText(begin, length, word); }
    AnsiString Str() const { return AnsiString(begin, length); }
};

class Reader {
public:
    Reader(const char* text, size_t length, const PublishedTable& published, FormDefinition* definition,
           AnsiString* error)
        : p_(text), end_(text + length), published_(published), def_(definition), error_(error)
    {
    }

    bool Read();

private:
    bool NextLine(Span* line);
    bool Fail(const char* format, const AnsiString& what = AnsiString(), const AnsiString& more = AnsiString());
    bool ReadObjectHeader(Span line, ObjectDescription* object, bool isForm);
    bool ReadSetting(Span line, ObjectDescription* object);
    bool ReadValue(const Setting& setting, Span value, ObjectDescription* object);
    bool ReadNumber(Span value, int* number);
    bool ReadString(Span value, AnsiString* text);
    bool ReadIdent(const Ident* idents, Span value, int* result);
    bool ReadSet(const Ident* idents, Span value, int* result);
    bool CheckAllFieldsDescribed();

    const char* p_;
    const char* end_;
    const PublishedTable& published_;
    FormDefinition* def_;
    AnsiString* error_;
    int lineNumber_ = 0;
};

bool Reader::Fail(const char* format, const AnsiString& what, const AnsiString& more)
{
    char number[12];
    char* digits = number + sizeof number - 1;
    *digits = '\0';
    int n = lineNumber_;
    do {
        *--digits = char('0' + n % 10);
        n /= 10;
    } while (n > 0);
    *error_ = FormatText("Form definition, line %s: ", digits);
    AnsiString message = FormatText(format, what.c_str(), more.c_str());
    error_->Append(message.c_str(), message.Length());
    return false;
}

// Gives the next line that is not blank, trimmed.
bool Reader::NextLine(Span* line)
{
    while (p_ < end_) {
        const char* start = p_;
        const char* stop = static_cast<const char*>(memchr(p_, '\n', size_t(end_ - p_)));
        if (!stop)
            stop = end_;
        p_ = stop < end_ ? stop + 1 : end_;
        ++lineNumber_;
        while (start < stop && IsSpace(*start)) ++start;
        while (stop > start && IsSpace(stop[-1])) --stop;
        if (stop > start) {
            line->begin = start;
            line->length = size_t(stop - start);
            return true;
        }
    }
    return false;
}

// "object Name: TKind"
bool Reader::ReadObjectHeader(Span line, ObjectDescription* object, bool isForm)
{
    const char* p = line.begin + 6;
    const char* end = line.begin + line.length;
    if (p >= end || !IsSpace(*p))
        return Fail("expected 'object Name: TKind'");
    while (p < end && IsSpace(*p)) ++p;
    Span name{p, 0};
    while (p < end && IsNameChar(*p) && *p != '.') ++p;
    name.length = size_t(p - name.begin);
    while (p < end && IsSpace(*p)) ++p;
    if (name.length == 0 || p >= end || *p != ':')
        return Fail("expected 'object Name: TKind'");
    ++p;
    while (p < end && IsSpace(*p)) ++p;
    Span kind{p, size_t(end - p)};
    for (const char* k = kind.begin; k < end; ++k)
        if (!IsNameChar(*k) || *k == '.')
            return Fail("expected 'object Name: TKind'");
    if (kind.length == 0)
        return Fail("expected 'object Name: TKind'");

    object->name = name.Str();
    object->line = lineNumber_;
    if (isForm) {
        if (!kind.Is(published_.className))
            return Fail("the form is of class '%s', not '%s'", kind.Str(), published_.className);
        object->kind = okForm;
        return true;
    }
    int kindIndex = -1;
    for (int k = okButton; k <= okManifest; ++k)
        if (kind.Is(kKindNames[k]))
            kindIndex = k;
    if (kindIndex < 0)
        return Fail("unknown control kind '%s'", kind.Str());
    for (int f = 0; f < published_.fieldCount; ++f) {
        if (!name.Is(published_.fields[f].name))
            continue;
        if (published_.fields[f].kind != kindIndex)
            return Fail("'%s' is not a %s", name.Str(), kKindNames[kindIndex]);
        for (int c = 0; c < def_->controlCount; ++c)
            if (def_->controls[c].field == f)
                return Fail("'%s' is described twice", name.Str());
        object->field = f;
        object->kind = ObjectKind(kindIndex);
        return true;
    }
    return Fail("'%s' is not a control of %s", name.Str(), published_.className);
}

// "Name = Value"
bool Reader::ReadSetting(Span line, ObjectDescription* object)
{
    const char* p = line.begin;
    const char* end = line.begin + line.length;
    Span name{p, 0};
    while (p < end && IsNameChar(*p)) ++p;
    name.length = size_t(p - name.begin);
    while (p < end && IsSpace(*p)) ++p;
    if (name.length == 0 || p >= end || *p != '=')
        return Fail("expected 'Setting = Value'");
    ++p;
    while (p < end && IsSpace(*p)) ++p;
    Span value{p, size_t(end - p)};
    if (value.length == 0)
        return Fail("'%s' has no value", name.Str());

    for (const Setting& setting : kSettings)
        if (name.Is(setting.name) && (setting.kinds & (1u << object->kind)))
            return ReadValue(setting, value, object);
    const char* kindName = object->kind == okForm ? published_.className : kKindNames[object->kind];
    return Fail("unknown setting '%s' of %s", name.Str(), kindName);
}

bool Reader::ReadValue(const Setting& setting, Span value, ObjectDescription* object)
{
    switch (setting.type) {
    case vtInt:
        return ReadNumber(value, &(object->*setting.number));
    case vtString:
        return ReadString(value, &(object->*setting.text));
    case vtBool: {
        int flag = 0;
        if (!ReadIdent(setting.idents, value, &flag))
            return false;
        object->*setting.flag = flag != 0;
        return true;
    }
    case vtIdent:
        return ReadIdent(setting.idents, value, &(object->*setting.number));
    case vtSet:
        return ReadSet(setting.idents, value, &(object->*setting.number));
    case vtEvent:
        for (int m = 0; m < published_.methodCount; ++m) {
            if (!value.Is(published_.methods[m].name))
                continue;
            if (published_.methods[m].kind != setting.event)
                return Fail("'%s' cannot handle %s", value.Str(), setting.name);
            object->*setting.number = m;
            return true;
        }
        return Fail("unknown handler '%s'", value.Str());
    }
    return false;
}

bool Reader::ReadNumber(Span value, int* number)
{
    size_t i = value.begin[0] == '-' ? 1 : 0;
    if (i == value.length)
        return Fail("'%s' is not a number", value.Str());
    long long result = 0;
    for (; i < value.length; ++i) {
        char c = value.begin[i];
        if (c < '0' || c > '9')
            return Fail("'%s' is not a number", value.Str());
        result = result * 10 + (c - '0');
        if (result > 1000000)
            return Fail("'%s' is out of range", value.Str());
    }
    *number = int(value.begin[0] == '-' ? -result : result);
    return true;
}

// 'text', with '' standing for one apostrophe.
bool Reader::ReadString(Span value, AnsiString* text)
{
    const char* p = value.begin;
    const char* end = value.begin + value.length;
    if (*p != '\'')
        return Fail("'%s' is not a quoted text", value.Str());
    AnsiString result;
    for (++p;; ++p) {
        if (p >= end)
            return Fail("unterminated text %s", value.Str());
        if (*p == '\'') {
            if (p + 1 < end && p[1] == '\'') {
                result.Append("'");
                ++p;
                continue;
            }
            if (p + 1 != end)
                return Fail("unexpected characters after the text %s", value.Str());
            break;
        }
        result.Append(p, 1);
    }
    *text = result;
    return true;
}

bool Reader::ReadIdent(const Ident* idents, Span value, int* result)
{
    for (const Ident* i = idents; i->name; ++i)
        if (value.Is(i->name)) {
            *result = i->value;
            return true;
        }
    return Fail("unknown value '%s'", value.Str());
}

// [fsBold, fsItalic]
bool Reader::ReadSet(const Ident* idents, Span value, int* result)
{
    const char* p = value.begin;
    const char* end = value.begin + value.length;
    if (*p != '[' || end[-1] != ']' || value.length < 2)
        return Fail("'%s' is not a set", value.Str());
    int bits = 0;
    ++p;
    --end;
    while (p < end) {
        while (p < end && (IsSpace(*p) || *p == ',')) ++p;
        Span item{p, 0};
        while (p < end && !IsSpace(*p) && *p != ',') ++p;
        item.length = size_t(p - item.begin);
        if (item.length == 0)
            break;
        int bit = 0;
        if (!ReadIdent(idents, item, &bit))
            return false;
        bits |= bit;
    }
    *result = bits;
    return true;
}

bool Reader::CheckAllFieldsDescribed()
{
    for (int f = 0; f < published_.fieldCount; ++f) {
        bool found = false;
        for (int c = 0; c < def_->controlCount; ++c)
            found = found || def_->controls[c].field == f;
        if (!found)
            return Fail("control '%s' of %s is not described", published_.fields[f].name, published_.className);
    }
    return true;
}

bool Reader::Read()
{
    Span line;
    if (!NextLine(&line) || !(line.length > 6 && SameText(line.begin, 6, "object")))
        return Fail("expected 'object Name: %s'", published_.className);
    if (!ReadObjectHeader(line, &def_->form, true))
        return false;

    ObjectDescription* current = &def_->form;
    for (;;) {
        if (!NextLine(&line))
            return Fail("missing 'end'");
        if (line.Is("end")) {
            if (current == &def_->form)
                break;
            current = &def_->form;
        } else if (line.length > 6 && SameText(line.begin, 6, "object") && IsSpace(line.begin[6])) {
            if (current != &def_->form)
                return Fail("controls cannot hold other controls");
            if (def_->controlCount == FormDefinition::kMaxControls)
                return Fail("too many controls");
            current = &def_->controls[def_->controlCount];
            if (!ReadObjectHeader(line, current, false))
                return false;
            ++def_->controlCount;
        } else if (!ReadSetting(line, current)) {
            return false;
        }
    }
    if (NextLine(&line))
        return Fail("unexpected text after the form's 'end'");
    return CheckAllFieldsDescribed();
}

}  // namespace

bool ReadFormDefinition(const char* text, size_t length, const PublishedTable& published,
                        FormDefinition* definition, AnsiString* error)
{
    *definition = FormDefinition();
    return Reader(text, length, published, definition, error).Read();
}
