#pragma once

#include <QObject>

#include <memory>

// Turns the system's requests to end the program (the termination and hang-up signals a session
// manager or a service manager sends) into a signal on the event loop, so the program can save
// what the user typed and close itself instead of dying at once. One per program; while it lives
// the first such request no longer ends the process by itself, a second one does.
class TerminationWatch : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatch(QObject* parent = nullptr);
    ~TerminationWatch() override;

  signals:
    void Termination_Requested();

  private:
    struct State;
    void Ready();
    std::unique_ptr<State> state_;
};
