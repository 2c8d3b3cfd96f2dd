#pragma once

#include "calendar/MsgBox.h"

// Shows message boxes as real dialogs.
class QtMsgBoxPresenter final : public MsgBoxPresenter {
  public:
    MsgAnswer Show(const MsgBoxRequest& request) override;
};
