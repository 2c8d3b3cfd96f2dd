#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace remover {

// The Remover wizard: a welcome page, the removal style and components, and the choice of
// packs. The work itself is done by the functions of RemoverCore.h.
class Main_Frm : public QWidget {
    Q_OBJECT
  public:
    explicit Main_Frm(QWidget* parent = nullptr);

    // Finds the installation folder (asking the user when the installer left none) and fills
    // the pack list. False when the wizard can't go on; the user has been told why and the
    // window is closed.
    bool Start();

    int Page() const { return page_; }
    const QString& Install_Folder() const { return install_folder_; }
    // The ticked entries of the pack list, in list order.
    QStringList Ticked_Packs() const;

  private:
    void Build_Window();
    QFrame* Build_Welcome_Page();
    QFrame* Build_Style_Page();
    QFrame* Build_Packs_Page();

    bool Fill_Pack_List();
    void Show_Page(int page);
    void Setup_Step();
    void Setup_Zero();
    void Setup_One();
    void Setup_Two();

    void Next_Btn_Click();
    void Back_Btn_Click();
    void Finish_Btn_Click();
    void Cancel_Btn_Click();
    void Style_Opt_Click();
    void All_Btn_Click();
    void None_Btn_Click();

    int page_ = 0;
    QString install_folder_;

    std::array<QFrame*, 3> step_fra_{};
    QLabel* title_lbl_ = nullptr;
    QLabel* desc_lbl_ = nullptr;
    QPushButton* back_btn_ = nullptr;
    QPushButton* next_btn_ = nullptr;
    QPushButton* finish_btn_ = nullptr;
    QPushButton* cancel_btn_ = nullptr;
    QRadioButton* everything_opt_ = nullptr;
    QRadioButton* custom_opt_ = nullptr;
    QCheckBox* installed_chk_ = nullptr;
    QCheckBox* events_chk_ = nullptr;
    QCheckBox* packs_chk_ = nullptr;
    QListWidget* packs_lst_ = nullptr;
    QPushButton* all_btn_ = nullptr;
    QPushButton* none_btn_ = nullptr;
};

} // namespace remover
