// The game flow's coroutines. A FlowTask is a part of the flow that may wait;
// a Wait is one wait that the shell ends through its Reply. With them the
// flow reads top to bottom like the rules of a turn, yet returns to the
// window's event loop at every wait, and a test's shell can answer at once
// with no event loop at all.
#ifndef QUADRIFLANK_GAME_FLOW_TASK_H_
#define QUADRIFLANK_GAME_FLOW_TASK_H_

#include <coroutine>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

namespace qf {

// A part of the game flow that may wait. It runs when it is started or
// awaited, and its frame lives as long as the FlowTask: dropping the task
// ends a flow that is waiting, and a late reply to its wait does nothing.
class [[nodiscard]] FlowTask {
 public:
  struct promise_type;
  using Handle = std::coroutine_handle<promise_type>;

  struct promise_type {
    // Who awaits this task, resumed when it ends.
    std::coroutine_handle<> caller;

    FlowTask get_return_object() {
      return FlowTask(Handle::from_promise(*this));
    }
    std::suspend_always initial_suspend() noexcept { return {}; }
    auto final_suspend() noexcept {
      struct BackToCaller {
        bool await_ready() noexcept { return false; }
        std::coroutine_handle<> await_suspend(Handle self) noexcept {
          const std::coroutine_handle<> caller = self.promise().caller;
          return caller ? caller : std::noop_coroutine();
        }
        void await_resume() noexcept {}
      };
      return BackToCaller{};
    }
    void return_void() {}
    void unhandled_exception() { std::terminate(); }
  };

  FlowTask() = default;
  FlowTask(FlowTask&& other) noexcept
      : handle_(std::exchange(other.handle_, {})) {}
  FlowTask& operator=(FlowTask&& other) noexcept {
    if (this != &other) {
      Drop();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  ~FlowTask() { Drop(); }

  // Runs the task as the top of a flow, up to its first wait.
  void Start() { handle_.resume(); }
  // Started and not yet at its end.
  bool Running() const { return handle_ && !handle_.done(); }

  // Awaiting a task runs it; the awaiting flow goes on when it ends.
  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(
      std::coroutine_handle<> caller) noexcept {
    handle_.promise().caller = caller;
    return handle_;
  }
  void await_resume() const noexcept {}

 private:
  explicit FlowTask(Handle handle) : handle_(handle) {}
  void Drop() {
    if (handle_) handle_.destroy();
    handle_ = {};
  }

  Handle handle_;
};

template <typename T>
class Wait;

// Ends one wait of the flow with its answer. The shell calls it once, at
// once or later from its event loop; a second call, or one after the
// waiting flow is gone, does nothing.
template <typename T = std::monostate>
class Reply {
 public:
  void operator()(T answer = {}) const {
    const std::shared_ptr<typename Wait<T>::State> state = state_.lock();
    if (!state || state->answer) return;
    state->answer = std::move(answer);
    if (state->suspended) state->flow.resume();
  }

 private:
  friend class Wait<T>;
  explicit Reply(std::weak_ptr<typename Wait<T>::State> state)
      : state_(std::move(state)) {}

  std::weak_ptr<typename Wait<T>::State> state_;
};

// One wait of the flow: `begin` hands the Reply to the shell. A reply given
// before `begin` returns lets the flow go straight on.
template <typename T = std::monostate>
class [[nodiscard]] Wait {
 public:
  using Begin = std::function<void(Reply<T> reply)>;

  explicit Wait(Begin begin) : begin_(std::move(begin)) {}

  bool await_ready() const noexcept { return false; }
  bool await_suspend(std::coroutine_handle<> flow) {
    state_->flow = flow;
    begin_(Reply<T>(state_));
    state_->suspended = !state_->answer;
    return state_->suspended;
  }
  T await_resume() { return std::move(*state_->answer); }

 private:
  friend class Reply<T>;
  struct State {
    std::coroutine_handle<> flow;
    std::optional<T> answer;
    bool suspended = false;
  };

  Begin begin_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_FLOW_TASK_H_
