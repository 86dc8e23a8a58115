// SPDX-License-Identifier: MIT
// Work of a window that takes longer than a keystroke may (a field solve, a search, a picture),
// run on Qt's thread pool: one piece at a time, newer work stopping the running piece, and only
// the newest piece's result handed back, on the window's thread, while the window lives.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace mq::toolkit {

template <typename Result>
class BackgroundSolve {
 public:
  // The work reads the flag at each step and returns early once it is raised; what it returns
  // then is thrown away.
  using Work = std::function<Result(const std::atomic<bool>& stop)>;
  using Done = std::function<void(const Result&)>;

  // `done` runs on the owner's thread; never after the owner is gone or quitting has begun, so
  // that neither waits for a solve.
  BackgroundSolve(QObject& owner, Done done) : state_(std::make_shared<State>()) {
    state_->owner = &owner;
    state_->done = std::move(done);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &owner,
                     [state = state_] { state->Stop(); });
  }
  ~BackgroundSolve() {
    state_->owner = nullptr;
    state_->Stop();
  }
  BackgroundSolve(const BackgroundSolve&) = delete;
  BackgroundSolve& operator=(const BackgroundSolve&) = delete;

  // Stops the running piece, if any, and runs this one once it has returned: a pool thread is
  // never held by work whose result nobody wants.
  void Start(Work work) {
    state_->pending = std::move(work);
    state_->Next();
  }
  // Nothing more is handed back until the next Start.
  void Stop() { state_->Stop(); }
  bool Running() const { return state_->stop != nullptr; }

 private:
  // Shared with the pool's task, so that a result that comes back after the owner is gone finds
  // something to look at; touched on the owner's thread only.
  struct State : std::enable_shared_from_this<State> {
    QPointer<QObject> owner;
    Done done;
    std::shared_ptr<std::atomic<bool>> stop;  // of the running piece
    std::optional<Work> pending;

    void Stop() {
      pending.reset();
      if (stop) {
        stop->store(true);
      }
    }
    void Next() {
      if (stop) {
        stop->store(true);
        return;  // Returned starts the pending piece
      }
      if (!pending || owner.isNull()) {
        return;
      }
      stop = std::make_shared<std::atomic<bool>>(false);
      QThreadPool::globalInstance()->start(
          [self = this->shared_from_this(), work = std::move(*pending), flag = stop]() mutable {
            std::optional<Result> result = work(*flag);
            if (QCoreApplication* app = QCoreApplication::instance()) {
              QMetaObject::invokeMethod(
                  app,
                  [self = std::move(self), flag, result = std::move(result)] {
                    self->Returned(*flag, *result);
                  },
                  Qt::QueuedConnection);
            }
          });
      pending.reset();
    }
    void Returned(const std::atomic<bool>& flag, const Result& result) {
      stop.reset();
      if (pending) {
        Next();
      } else if (!flag.load() && !owner.isNull() && done) {
        done(result);
      }
    }
  };
  std::shared_ptr<State> state_;
};

}  // namespace mq::toolkit
