#pragma once

#include <QList>
#include <QString>

#include <deque>

// Buttons, icons and answers keep the numbers of the classic message box so that stored or
// compared values mean the same everywhere.
enum class MsgButtons { Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MsgBoxRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString caption;
};

// Shows a message box and returns the answer. The UI installs a presenter built on a real dialog;
// without one the message goes to standard error and the first button is the answer.
class MsgBoxPresenter {
  public:
    virtual ~MsgBoxPresenter() = default;
    virtual MsgAnswer Show(const MsgBoxRequest& request) = 0;
};

// The one way the program talks to the user through a message box.
MsgAnswer Msg_Box(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                  MsgIcon icon = MsgIcon::None, const QString& caption = QStringLiteral("Almanor"));

// Installs presenter (not owned); nullptr restores the standard-error presenter.
void Set_Msg_Box_Presenter(MsgBoxPresenter* presenter);
MsgBoxPresenter& Current_Msg_Box_Presenter();

// The answer a box gives when nobody is there to click: its first button.
MsgAnswer Default_Answer(MsgButtons buttons);

// Test hook: records every box shown and answers from a queue (then with the default answer).
// Installs itself while it lives.
class MsgBoxRecorder final : public MsgBoxPresenter {
  public:
    MsgBoxRecorder();
    ~MsgBoxRecorder() override;
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    MsgAnswer Show(const MsgBoxRequest& request) override;
    void Set_Next_Answer(MsgAnswer answer) { answers_.push_back(answer); }

    QList<MsgBoxRequest> shown;

  private:
    std::deque<MsgAnswer> answers_;
    MsgBoxPresenter* previous_;
};
