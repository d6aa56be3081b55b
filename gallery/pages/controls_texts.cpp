#include <windows.h>

#include <memory>
#include <vector>

#include "control_children.h"
#include "controls/fade_picture.h"
#include "controls/skin_edit_field.h"
#include "controls/skin_group_box.h"
#include "controls/skin_label.h"
#include "framework/gdi.h"
#include "gallery.h"
#include "resource_ids.h"

// Labels in each alignment and disabled, the output directory display empty
// and filled, the settings group box, and the fade picture once it has faded in.
namespace {

class CTextsPage : public CGalleryContent {
public:
    explicit CTextsPage(HWND page) : page_(page), font_(MakeFont("Tahoma", -11, FW_NORMAL)) {}

    HWND Child(const char* className, const char* text, DWORD style, int x, int y, int width, int height) {
        const HWND window = AddChild(page_, className, text, style, x, y, width, height);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return window;
    }

    CSkinLabel& AddLabel(const char* text, DWORD style, int x, int y, int width, int height) {
        labels_.push_back(std::make_unique<CSkinLabel>());
        labels_.back()->Subclass(Child("STATIC", text, style, x, y, width, height));
        return *labels_.back();
    }

    CSkinEditField& AddField(const char* text, int x, int y) {
        fields_.push_back(std::make_unique<CSkinEditField>());
        CSkinEditField& field = *fields_.back();
        field.Subclass(Child("BUTTON", "", WS_DISABLED, x, y, 230, 15));
        field.SetFieldText(text);
        return field;
    }

    void AddGroup(const char* caption, int x, int y, int width, int height) {
        group_.Subclass(Child("BUTTON", caption, BS_GROUPBOX, x, y, width, height));
    }

    void AddPicture(int x, int y) {
        picture_.Subclass(Child("STATIC", "", 0, x, y, 10, 10));
        picture_.StartFade(IDB_FADE_PICTURE, 5);
    }

    bool Settled() const override { return picture_.FadeFinished(); }

private:
    HWND page_;
    CFontHandle font_;
    std::vector<std::unique_ptr<CSkinLabel>> labels_;
    std::vector<std::unique_ptr<CSkinEditField>> fields_;
    CSkinGroupBox group_;
    CFadePicture picture_;
};

std::unique_ptr<CGalleryContent> BuildTextsPage(HWND page) {
    PaintUnderChildren(page);
    auto content = std::make_unique<CTextsPage>(page);
    CTextsPage& p = *content;
    p.AddPicture(20, 40);
    p.AddLabel("V 1.0.0", SS_LEFT, 400, 40, 120, 15);
    p.AddLabel("Output Directory:", SS_LEFT, 400, 70, 100, 19);
    p.AddField("C:\\Users\\Public\\Videos\\Converted\\", 505, 70);
    p.AddLabel("Empty:", SS_LEFT, 400, 95, 100, 19);
    p.AddField("", 505, 95);
    p.AddGroup("Output Settings", 400, 125, 335, 105);
    p.AddLabel("Left", SS_LEFT, 415, 150, 100, 15);
    p.AddLabel("Centred\nover two lines", SS_CENTER, 520, 150, 110, 30);
    p.AddLabel("Right", SS_RIGHT, 630, 150, 95, 15);
    CSkinLabel& disabled = p.AddLabel("Disabled label", SS_LEFT, 415, 195, 150, 15);
    EnableWindow(disabled.Handle(), FALSE);
    return content;
}

const GalleryRegistration page({"texts", {760, 250}, BuildTextsPage});

}  // namespace
