// The texts the shell services make without Windows: the Edit With chooser's
// names and command lines, and the viewer's Properties text.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "platform/text.h"
#include "shell/editor_list_pure.h"
#include "shell/properties_pure.h"

TEST(EditorNames, NameIsAfterTheLastBackslashCutAtTheLastDot) {
    const struct { const char* path; const char* name; } cases[] = {
        {"C:\\Windows\\notepad.exe", "notepad"},
        {"C:\\Program Files\\My.Editor\\edit.v2.exe", "edit.v2"},
        {"mspaint.exe", "mspaint"},
        {"C:\\tools\\noext", "noext"},
        {"C:\\tools\\.exe", ""},  // nothing before the dot: not listed
        {"C:\\tools\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        char name[260] = "stale";
        editor_display_name(c.path, name, sizeof name);
        EXPECT_STREQ(name, c.name) << c.path;
    }
    char small[5];
    editor_display_name("C:\\a\\longname.exe", small, sizeof small);
    EXPECT_STREQ(small, "long") << "cut to the buffer";
}

TEST(EditorNames, CommandsGiveTheProgramAtTheirFront) {
    const struct { const char* command; const char* program; } cases[] = {
        {"\"C:\\Program Files\\Ed\\ed.exe\" /n \"%1\"", "C:\\Program Files\\Ed\\ed.exe"},
        {"  C:\\Tools\\ed.exe %1", "C:\\Tools\\ed.exe"},
        {"C:\\Tools\\ed.exe", "C:\\Tools\\ed.exe"},
        {"\"C:\\Unclosed\\ed.exe", "C:\\Unclosed\\ed.exe"},
        {"   ", ""},
        {"\"\" %1", ""},
    };
    for (const auto& c : cases) {
        char program[260] = "stale";
        command_program(c.command, program, sizeof program);
        EXPECT_STREQ(program, c.program) << c.command;
    }
}

// App Paths values are whole paths: blanks inside stay, quotes go.
TEST(EditorNames, AppPathsValuesLoseTheirQuotesButKeepTheirBlanks) {
    const struct { const char* value; const char* program; } cases[] = {
        {"C:\\Program Files\\Ed\\ed.exe", "C:\\Program Files\\Ed\\ed.exe"},
        {"\"C:\\Program Files\\Ed\\ed.exe\"", "C:\\Program Files\\Ed\\ed.exe"},
        {"  \"C:\\Program Files\\Ed\\ed.exe\"  ", "C:\\Program Files\\Ed\\ed.exe"},
        {"C:\\Ed\\ed.exe  ", "C:\\Ed\\ed.exe"},
        {"\"\"", ""},
    };
    for (const auto& c : cases) {
        char program[260] = "stale";
        app_path_program(c.value, program, sizeof program);
        EXPECT_STREQ(program, c.program) << c.value;
    }
}

TEST(EditorNames, ParametersQuoteTheTargetAfterTheOptionalOnes) {
    char out[300];
    ASSERT_TRUE(edit_with_parameters("/p", "C:\\My Pictures\\a.jpg", out, sizeof out));
    EXPECT_STREQ(out, "/p \"C:\\My Pictures\\a.jpg\"");
    ASSERT_TRUE(edit_with_parameters("", "C:\\a.jpg", out, sizeof out));
    EXPECT_STREQ(out, "\"C:\\a.jpg\"");
    EXPECT_FALSE(edit_with_parameters("/p", "C:\\a.jpg", out, 12)) << "a cut command line would start something else";
}

TEST(PropertiesText, KilobytesRoundUp) {
    const struct { uint64_t bytes, kb; } cases[] = {{0, 0}, {1, 1}, {1023, 1}, {1024, 1}, {1025, 2},
                                                    {2048, 2}, {0xFFFFFFFFull, 4194304}};
    for (const auto& c : cases) EXPECT_EQ(size_in_kb(c.bytes), c.kb) << c.bytes;
}

TEST(PropertiesText, CameraAndDateLinesFollowWhatTheFileTells) {
    const char* body = text_entry(0, kTextPropertiesText);
    ASSERT_NE(body, nullptr);
    const std::string head =
        "File: a.jpg\nPath: C:\\p\\a.jpg\n\nDimensions: 640 x 480 pixels\nColor depth: 24-bit\n"
        "File size: 1025 bytes (2 KB)";
    const struct { const char *date, *make, *model, *tail; } cases[] = {
        {"", "", "", ""},
        {"2018:01:02 03:04:05", "Harbour Optics", "HX-200",
         "\nCamera: Harbour Optics HX-200\nDate taken: 2018:01:02 03:04:05"},
        {"", "", "HX-200", "\nCamera: HX-200"},  // no leading blank
        {"", "Harbour", "", "\nCamera: Harbour "},
        {"2017:07:08 09:10:11", "", "", "\nDate taken: 2017:07:08 09:10:11"},
    };
    for (const auto& c : cases) {
        PropertiesFacts facts = {"a.jpg", "C:\\p\\a.jpg", 640, 480, 1025, c.date, c.make, c.model};
        char out[1024];
        format_properties_text(body, facts, out, sizeof out);
        EXPECT_EQ(out, head + c.tail) << c.make << "|" << c.model << "|" << c.date;
    }
}

// The longest path and camera texts fit the box's buffer; a smaller one is
// cut, never overrun.
TEST(PropertiesText, LongTextsStayInTheirBuffer) {
    const std::string path = "C:\\" + std::string(251, 'd') + "\\x.jpg", make(63, 'm'), model(63, 'o'),
                      date(39, '1');
    PropertiesFacts facts = {"x.jpg", path.c_str(), 30000, 30000, 0xFFFFFFFFull, date.c_str(), make.c_str(),
                             model.c_str()};
    char out[1024];
    format_properties_text(text_entry(0, kTextPropertiesText), facts, out, sizeof out);
    EXPECT_NE(std::string(out).find("(4194304 KB)\nCamera: " + make + " " + model + "\nDate taken: " + date),
              std::string::npos);
    char small[40];
    memset(small, 'z', sizeof small);
    format_properties_text(text_entry(0, kTextPropertiesText), facts, small, 32);
    EXPECT_EQ(strlen(small), 31u);
    EXPECT_EQ(small[32], 'z') << "written past the size given";
}
