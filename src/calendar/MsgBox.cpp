#include "calendar/MsgBox.h"

#include <cstdio>

namespace {

class StderrPresenter final : public MsgBoxPresenter {
  public:
    MsgAnswer Show(const MsgBoxRequest& request) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(request.caption), qPrintable(request.text));
        return Default_Answer(request.buttons);
    }
};

StderrPresenter stderr_presenter;
MsgBoxPresenter* current = &stderr_presenter;

} // namespace

MsgAnswer Default_Answer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::AbortRetryIgnore:
        return MsgAnswer::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

MsgAnswer Msg_Box(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption) {
    return current->Show(MsgBoxRequest{text, buttons, icon, caption});
}

void Set_Msg_Box_Presenter(MsgBoxPresenter* presenter) {
    current = presenter ? presenter : &stderr_presenter;
}

MsgBoxPresenter& Current_Msg_Box_Presenter() {
    return *current;
}

MsgBoxRecorder::MsgBoxRecorder() : previous_(&Current_Msg_Box_Presenter()) {
    Set_Msg_Box_Presenter(this);
}

MsgBoxRecorder::~MsgBoxRecorder() {
    Set_Msg_Box_Presenter(previous_);
}

MsgAnswer MsgBoxRecorder::Show(const MsgBoxRequest& request) {
    shown.append(request);
    if (answers_.empty())
        return Default_Answer(request.buttons);
    MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}
