#pragma once

// The state of one calculating window: its fields as texts, hidden work fields
// included, and the reactions that tie them together. Plain C++; a window shows
// the fields and passes the user's typing, Enter and focus changes in here.

#include "fields/number_text.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class FieldId {
public:
    constexpr FieldId() = default;
    constexpr explicit FieldId(std::size_t index) : m_index(index) {}
    constexpr std::size_t index() const { return m_index; }
    constexpr bool operator==(const FieldId&) const = default;

private:
    std::size_t m_index = static_cast<std::size_t>(-1);
};

class Sheet {
public:
    using Reaction = std::function<void()>;

    Sheet() = default;
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;
    virtual ~Sheet() = default;

    // User events. Each runs to its end; a failure inside never escapes. After a
    // user event that computed something, status() tells what could not be
    // computed, or is empty when everything went through.
    void type(FieldId field, std::string text);  // the user changed the text
    void enter(FieldId field);                   // Enter in an entry field
    void focus(FieldId field);                   // the field got the focus

    const std::string& text(FieldId field) const;
    const std::string& name(FieldId field) const;
    const std::string& caption(FieldId field) const;
    std::size_t fieldCount() const { return m_fields.size(); }
    FieldId find(std::string_view name) const;  // FieldId() when there is none

    const std::string& status() const { return m_status; }

    // Called with each field whose text was written, in the order of the writes.
    void setObserver(std::function<void(FieldId)> observer) { m_observer = std::move(observer); }

    // Sets the text and runs the field's change reaction to its end before
    // returning, even when the text did not change, so that every result stays in
    // step with its inputs. A failure inside that reaction stops that reaction only.
    void write(FieldId field, std::string text);

protected:
    // caption names the field in status messages, e.g. "Scale reading of Test 1".
    FieldId add(std::string name, std::string initial, std::string caption);
    void onChange(FieldId field, Reaction reaction);
    void onEnter(FieldId field, Reaction reaction);
    void onFocus(FieldId field, Reaction reaction);

    // One computation step: computes the text of target, then writes it. When the
    // computation fails, nothing is written, the failure is remembered for the
    // status line and the running reaction stops.
    template <typename Compute>
    void set(FieldId target, Compute&& compute)
    {
        std::string result;
        try {
            result = compute();
        } catch (const StepFailed& failure) {
            stopStep(target, failure);
        }
        write(target, std::move(result));
    }

    // Readings of a field for a computation; failures name the field.
    double lenient(FieldId field) const;  // leadingNumber
    double strict(FieldId field) const;  // strictNumber
    std::int32_t whole(FieldId field) const;  // wholeNumber
    // strictNumber of a reading that is divided by; zero fails too, and the message
    // names the reading rather than the division.
    double divisor(FieldId field) const;

private:
    struct Field {
        std::string name;
        std::string text;
        std::string caption;
        Reaction change;
        Reaction enter;
        Reaction focus;
    };

    // Ends a reaction after a step failed; caught where the reaction was started.
    struct Stopped {};

    [[noreturn]] void stopStep(FieldId target, const StepFailed& failure);
    [[noreturn]] void failReading(FieldId field, const StepFailed& failure) const;
    void runContained(const Reaction& reaction);
    void userEvent(const Reaction& reaction);

    std::vector<Field> m_fields;
    std::function<void(FieldId)> m_observer;
    std::string m_status;
    std::string m_eventFailure;
    std::size_t m_stepsRun = 0;
};
