#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "../../classlib/form_definition.h"
#include "../prompt_table.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const ObjectDescription* Control(const FormDefinition& d, const char* name)
{
    for (int i = 0; i < d.controlCount; ++i)
        if (d.controls[i].name == name)
            return &d.controls[i];
    return nullptr;
}

}  // namespace

TEST(FormDefinition, ThePromptWindowsDefinitionReadsAsDesigned)
{
    std::string text = ReadFile(SOURCE_DIR "/ui/Unit1.dfm");
    FormDefinition d;
    AnsiString error;
    ASSERT_TRUE(ReadFormDefinition(text.data(), text.size(), kPromptTable, &d, &error)) << error.c_str();

    EXPECT_STREQ(d.form.caption.c_str(), "Internet Connection");
    EXPECT_EQ(d.form.borderStyle, bsDialog);
    EXPECT_EQ(d.form.formStyle, fsStayOnTop);
    EXPECT_EQ(d.form.position, poDesktopCenter);
    EXPECT_EQ(d.form.width, 408);
    EXPECT_EQ(d.form.height, 96);
    EXPECT_EQ(d.form.color, kColorBtnFace);
    EXPECT_STREQ(d.form.fontName.c_str(), "MS Sans Serif");
    EXPECT_EQ(d.form.fontHeight, -11);
    EXPECT_EQ(d.form.fontStyle, 0);
    EXPECT_EQ(d.form.pixelsPerInch, 96);
    EXPECT_FALSE(d.form.keyPreview);
    EXPECT_STREQ(kPromptMethods[d.form.onKeyUp].name, "FormKeyUp");
    ASSERT_EQ(d.controlCount, 5);

    struct Expected {
        const char* name;
        int left, top, width, height;
        const char* caption;
    } expected[] = {
        {"Image1", 12, 12, 32, 32, ""},
        {"Label1", 54, 16, 350, 33, "No Internet connection detected. Would you like to connect to the Internet now?"},
        {"Button1", 142, 62, 64, 23, "Yes"},
        {"Button2", 212, 62, 64, 23, "No"},
    };
    for (const Expected& e : expected) {
        const ObjectDescription* c = Control(d, e.name);
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(c->left, e.left) << e.name;
        EXPECT_EQ(c->top, e.top) << e.name;
        EXPECT_EQ(c->width, e.width) << e.name;
        EXPECT_EQ(c->height, e.height) << e.name;
        EXPECT_STREQ(c->caption.c_str(), e.caption) << e.name;
    }
    const ObjectDescription* yes = Control(d, "Button1");
    const ObjectDescription* no = Control(d, "Button2");
    EXPECT_TRUE(yes->isDefault && !yes->isCancel && yes->tabOrder == 0);
    EXPECT_TRUE(no->isCancel && !no->isDefault && no->tabOrder == 1);
    EXPECT_STREQ(kPromptMethods[yes->onClick].name, "Button1Click");
    EXPECT_STREQ(kPromptMethods[no->onClick].name, "Button2Click");
    EXPECT_TRUE(Control(d, "Image1")->transparent && Control(d, "Image1")->autoSize);
    EXPECT_STREQ(Control(d, "Image1")->picture.c_str(), "QUESTION");
    EXPECT_TRUE(Control(d, "Label1")->wordWrap && Control(d, "Label1")->autoSize);
    // No access-key markers in any caption.
    for (int i = 0; i < d.controlCount; ++i)
        EXPECT_EQ(strchr(d.controls[i].caption.c_str(), '&'), nullptr) << d.controls[i].name.c_str();
}

TEST(FormDefinition, ValuesAndNamesAsTheTextGivesThem)
{
    const char text[] =
        "object frmMain: TfrmMain\r\n"
        "  caption = 'It''s here'\r\n"       // names are not case-sensitive; '' is one apostrophe
        "  Font.Style = [fsBold, fsItalic]\r\n"
        "\r\n"
        "  Left = -20\r\n"
        "  object Button1: TButton\n  OnClick = button1click\n  end\n"
        "  object XPManifest1: TXPManifest\n  end\n"
        "  object Image1: TImage\n  end\n"
        "  object Label1: TLabel\n  end\n"
        "  object Button2: TButton\n  end\n"
        "end\n";
    FormDefinition d;
    AnsiString error;
    ASSERT_TRUE(ReadFormDefinition(text, sizeof text - 1, kPromptTable, &d, &error)) << error.c_str();
    EXPECT_STREQ(d.form.caption.c_str(), "It's here");
    EXPECT_EQ(d.form.fontStyle, fsBold | fsItalic);
    EXPECT_EQ(d.form.left, -20);
    EXPECT_EQ(d.controls[0].onClick, 2);
    EXPECT_EQ(d.controls[4].onClick, -1);  // a button without a handler stays unbound
}

TEST(FormDefinition, FaultsAreRefusedWithTheLineAndTheReason)
{
    // Each fixture differs from a sound definition in one line.
    const std::string controls =
        "  object Button1: TButton\n  end\n"
        "  object XPManifest1: TXPManifest\n  end\n"
        "  object Image1: TImage\n  end\n"
        "  object Label1: TLabel\n  end\n"
        "  object Button2: TButton\n  end\n";
    struct Case {
        std::string text;
        const char* message;
    } cases[] = {
        {"object frmMain: TfrmMain\n  Colour = clBtnFace\n" + controls + "end\n",
         "line 2: unknown setting 'Colour' of TfrmMain"},
        {"object frmMain: TfrmMain\n  OnKeyUp = FormKeyDown\n" + controls + "end\n",
         "line 2: unknown handler 'FormKeyDown'"},
        {"object frmMain: TfrmMain\n  OnKeyUp = Button1Click\n" + controls + "end\n",
         "line 2: 'Button1Click' cannot handle OnKeyUp"},
        {"object frmMain: TfrmMain\n  OnClose = GetDefConn\n" + controls + "end\n",
         "line 2: 'GetDefConn' cannot handle OnClose"},
        {"object frmMain: TfrmMain\n  object Edit1: TEdit\n  end\n" + controls + "end\n",
         "line 2: unknown control kind 'TEdit'"},
        {"object frmMain: TfrmMain\n  object Button3: TButton\n  end\n" + controls + "end\n",
         "line 2: 'Button3' is not a control of TfrmMain"},
        {"object frmMain: TfrmMain\n  object Label1: TButton\n  end\n" + controls + "end\n",
         "line 2: 'Label1' is not a TButton"},
        {"object frmMain: TfrmMain\n" + controls + "  object Button2: TButton\n  end\nend\n",
         "line 12: 'Button2' is described twice"},
        {"object frmMain: TfrmMain\n  object Button1: TButton\n  end\nend\n",
         "control 'XPManifest1' of TfrmMain is not described"},
        {"object frmMain: TForm1\n" + controls + "end\n", "line 1: the form is of class 'TForm1', not 'TfrmMain'"},
        {"object frmMain: TfrmMain\n  Caption = 'open\n" + controls + "end\n", "line 2: unterminated text 'open"},
        {"object frmMain: TfrmMain\n  Caption = Plain\n" + controls + "end\n", "line 2: 'Plain' is not a quoted text"},
        {"object frmMain: TfrmMain\n  ClientWidth = 4O8\n" + controls + "end\n", "line 2: '4O8' is not a number"},
        {"object frmMain: TfrmMain\n  ClientWidth = 99999999999\n" + controls + "end\n",
         "line 2: '99999999999' is out of range"},
        {"object frmMain: TfrmMain\n  BorderStyle = bsToolWindow\n" + controls + "end\n",
         "line 2: unknown value 'bsToolWindow'"},
        {"object frmMain: TfrmMain\n  Font.Style = [fsBold\n" + controls + "end\n", "line 2: '[fsBold' is not a set"},
        {"object frmMain: TfrmMain\n  Picture = 'QUESTION'\n" + controls + "end\n",
         "line 2: unknown setting 'Picture' of TfrmMain"},   // a setting of another kind
        {"object frmMain: TfrmMain\n  Caption =\n" + controls + "end\n", "line 2: 'Caption' has no value"},
        {"object frmMain: TfrmMain\n" + controls, "missing 'end'"},
        {"object frmMain: TfrmMain\n" + controls + "end\nend\n", "line 13: unexpected text after the form's 'end'"},
        {"object frmMain: TfrmMain\n  object Button1: TButton\n  object Button2: TButton\n",
         "line 3: controls cannot hold other controls"},
        {"", "line 0: expected 'object Name: TfrmMain'"},
        {"object : TfrmMain\nend\n", "line 1: expected 'object Name: TKind'"},
    };
    for (const Case& c : cases) {
        FormDefinition d;
        AnsiString error;
        EXPECT_FALSE(ReadFormDefinition(c.text.data(), c.text.size(), kPromptTable, &d, &error)) << c.message;
        EXPECT_NE(strstr(error.c_str(), c.message), nullptr) << "got: " << error.c_str() << "\nwanted: " << c.message;
    }
}
