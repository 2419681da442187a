// The about box window: the program's name, version, year line and comments, and the maker's home pages
// and e-mail address.
#pragma once
#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/label.hpp"
#include "ui/panel.hpp"
#include "widgets/TColorBtn.hpp"
#include "widgets/TMKBoxDlg.hpp"

namespace obsc32 {

// The maker's addresses, also named in the cover's contact notice.
inline constexpr const char* kMakerHomePages[] = {"http://www.example.com/vante/",
                                                  "http://vante.example.com/"};
inline constexpr char kMakerMail[] = "vante@example.com";

class TAboutBox final : public ui::Form {
public:
    TAboutBox();
    ~TAboutBox() override { DestroyHandle(); }

    ui::Image ProgramIcon{this, "ProgramIcon"};
    ui::Label ProductName{this, "ProductName"};
    ui::Label Version{this, "Version"};
    ui::Label Copyright{this, "Copyright"};
    ui::Label Comments{this, "Comments", "Comments"};
    ui::Label Comment0{this, "Comment0"};
    ui::Label Comment1{this, "Comment1"};
    ui::Label Comment2{this, "Comment2"};
    TColorBtn ColorBtn2{this, "ColorBtn2", "HOME PAGE"};
    TColorBtn ColorBtn3{this, "ColorBtn3"};
    TColorBtn ColorBtn1{this, "ColorBtn1", "Ｏ Ｋ"};
    // Made after the controls on it: a child made later lies below the ones made before.
    ui::Panel Panel1{this, "Panel1"};
    TMKBoxDlg MKBoxDlg1{this, "MKBoxDlg1"};

    void ColorBtn1Click(ui::Component* sender);
    void ColorBtn2Click(ui::Component* sender);
    void ColorBtn3Click(ui::Component* sender);

protected:
    void FormShow() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool FormDialogKey(UINT vk) override;

private:
    // Opens the address with the program registered for it; the box closes when one started.
    void Open(const std::string& address, const char* failure);
};

}  // namespace obsc32
