// Reads a form's stored definition: a text that lists the form's settings and,
// nested in it, each control's kind, settings and handlers, e.g.
//
//   object frmMain: TfrmMain
//     Caption = 'Internet Connection'
//     OnKeyUp = FormKeyUp
//     object Button1: TButton
//       Left = 142
//     end
//   end
//
// The reader checks the text against what the form class publishes (its
// controls by name and kind, its methods by name) so that a form is never
// created half-bound: every control must be described, every setting and
// handler must be known.
#pragma once
#include "ansi_string.h"

enum ObjectKind { okForm, okButton, okLabel, okImage, okManifest };
enum EventKind { ekNone, ekNotify, ekKey };

struct PublishedField {
    const char* name;
    ObjectKind kind;
};

struct PublishedMethod {
    const char* name;
    EventKind kind;  // ekNone for a method that is no event handler
};

struct PublishedTable {
    const char* className;
    const PublishedField* fields;
    int fieldCount;
    const PublishedMethod* methods;
    int methodCount;
};

enum BorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum FormStyle { fsNormal, fsStayOnTop };
enum FormPosition { poDesigned, poDesktopCenter };
enum FontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Colours are the system's colour indexes (COLOR_BTNFACE and so on).
enum { kColorWindowText = 8, kColorBtnFace = 15, kColorBtnText = 18 };

// The settings of the form or of one control; a setting the text leaves out
// keeps the value given here.
struct ObjectDescription {
    AnsiString name;
    ObjectKind kind = okForm;
    int field = -1;  // index among the published fields; -1 for the form
    int line = 0;

    int left = 0, top = 0, width = 0, height = 0;  // the form's width and height are its client area's
    AnsiString caption;
    int borderStyle = bsSizeable;
    int formStyle = fsNormal;
    int position = poDesigned;
    int color = kColorBtnFace;
    AnsiString fontName = "MS Sans Serif";
    int fontHeight = -11;
    int fontCharset = 1;  // DEFAULT_CHARSET
    int fontColor = kColorWindowText;
    int fontStyle = 0;
    int pixelsPerInch = 96;
    bool keyPreview = false;

    bool autoSize = false, transparent = false, wordWrap = false;
    bool isDefault = false, isCancel = false;
    int tabOrder = 0;
    AnsiString picture;  // name of a bitmap resource

    int onClick = -1, onKeyUp = -1, onClose = -1;  // index among the published methods
};

struct FormDefinition {
    enum { kMaxControls = 16 };
    ObjectDescription form;
    ObjectDescription controls[kMaxControls];
    int controlCount = 0;
};

// Returns false with a message that names the line and the fault.
bool ReadFormDefinition(const char* text, size_t length, const PublishedTable& published,
                        FormDefinition* definition, AnsiString* error);
