#pragma once

#include "core/store/StoreError.h"

#include <optional>
#include <type_traits>
#include <utility>

namespace teran {

class Session;
enum class StoreKind;

// What went wrong in store work done for a window; it is in the daily log already.
class StoreFailure {
public:
    explicit StoreFailure(StoreError error)
        : m_error(std::move(error)) {}
    // What the store said, for a message box of the window's own.
    QString text() const { return m_error.description(); }
    const StoreError& error() const { return m_error; }

private:
    StoreError m_error;
};

// The outcome of store work done for a window: its value, or the failure. Windows get this
// instead of the stores' exception, so that none of them catches it and each failure is written
// to the daily log once, under the label of the routine that met it.
template <typename T> class Attempt {
public:
    Attempt(T value)
        : m_value(std::move(value)) {}
    Attempt(StoreFailure failure)
        : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    const std::optional<StoreFailure>& failure() const { return m_failure; }
    // The store's words when it failed, else empty.
    QString failureText() const { return m_failure ? m_failure->text() : QString(); }

private:
    std::optional<T> m_value;
    std::optional<StoreFailure> m_failure;
};

// Writes a failed piece of store work to the session's daily log under `label`.
void logStoreFailure(const Session& session, const QString& label, const StoreError& error);
// Shows the failure as the session shows a failing store: the office database's or the server's
// message, with where the log is.
void showStoreFailure(Session& session, const StoreFailure& failure, StoreKind kind);

// Runs `work` (calls of the core that reach a store) for a window. A StoreError is written to the
// daily log under `label` and comes back as the failure; work that returns nothing gives
// Attempt<bool>, true when it was done.
template <typename Work> auto attemptStore(const Session& session, const QString& label, Work&& work) {
    using Result = std::invoke_result_t<Work>;
    using Value = std::conditional_t<std::is_void_v<Result>, bool, std::decay_t<Result>>;
    try {
        if constexpr (std::is_void_v<Result>) {
            work();
            return Attempt<Value>(true);
        } else {
            return Attempt<Value>(work());
        }
    } catch (const StoreError& error) {
        logStoreFailure(session, label, error);
        return Attempt<Value>(StoreFailure(error));
    }
}

} // namespace teran
