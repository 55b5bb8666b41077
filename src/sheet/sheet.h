#pragma once

// The state of one calculating window: its fields as texts, hidden work fields
// included, and the reactions that tie them together. Plain C++; a window shows
// the fields and passes the user's typing, Enter and focus changes in here.

#include "sheet/number_text.h"

#include <cstddef>
#include <functional>
#include <map>
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
    // user event that computed something, status() lists every result that could
    // not be computed, with the first reason, then the notes of that event; it is
    // empty when everything went through.
    void type(FieldId field, std::string text);  // the user changed the text
    void enter(FieldId field);                   // Enter in an entry field
    void focus(FieldId field);                   // the field got the focus

    const std::string& text(FieldId field) const;
    const std::string& name(FieldId field) const;
    const std::string& caption(FieldId field) const;
    std::size_t fieldCount() const { return m_fields.size(); }
    FieldId find(std::string_view name) const;  // FieldId() when there is none

    const std::string& status() const { return m_status; }

    // Called after each user event with each field whose text it changed, in the
    // order of the fields.
    void setObserver(std::function<void(FieldId)> observer) { m_observer = std::move(observer); }

    // Whether the field is computed (a result, shown or hidden) rather than typed.
    bool computed(FieldId field) const;
    // The readings in the order the window's tab stops take them.
    virtual std::vector<FieldId> readingsInOrder() const;
    // These readings, by name, typed in the order of the tab stops, each entered
    // but an empty one; a reading not named is empty. True when none has text.
    bool typeReadings(const std::map<std::string, std::string>& readings);

protected:
    // caption names the field in status messages, e.g. "Scale reading of Test 1".
    // A reading is typed; a result is computed and starts empty.
    FieldId add(std::string name, std::string initial, std::string caption);
    FieldId addResult(std::string name, std::string caption);
    // A hidden work field: computed and read back by later steps, never shown; the
    // status line names it only when its failure comes first.
    FieldId addWork(std::string name, std::string caption);

    // Sets the text and runs the field's change reaction to its end before
    // returning, even when the text did not change, so that every result stays in
    // step with its inputs. A failure inside that reaction stops that reaction only.
    void write(FieldId field, std::string text);

    // Empties every result, forgetting why any could not be computed.
    void blankResults();
    // Works out every result afresh from the readings after each user event, in
    // place of the event's own reaction, whose results it would give again; true
    // when the sheet does so. By default it does not, and the reaction computes.
    virtual bool settle() { return false; }
    void onChange(FieldId field, Reaction reaction);
    void onEnter(FieldId field, Reaction reaction);
    void onFocus(FieldId field, Reaction reaction);

    // One computation step: computes the text of target, then writes it. When the
    // computation fails, the target is blanked and the failure remembered for the
    // status line; the reaction goes on, and a later step that reads the target
    // fails in turn, while the steps that do not need it still compute.
    template <typename Compute>
    void set(FieldId target, Compute&& compute)
    {
        std::string result;
        try {
            result = compute();
        } catch (const StepFailed& failure) {
            failStep(target, failure);
            return;
        }
        write(target, std::move(result));
    }

    // Readings of a field for a computation, each the whole text as one number;
    // failures name the field (a reading with the text typed), and reading a result
    // that could not be computed fails too.
    double strict(FieldId field) const;       // strictNumber
    std::int32_t whole(FieldId field) const;  // wholeNumber
    // strictNumber of a reading that is divided by; zero fails too, and the message
    // names the reading rather than the division.
    double divisor(FieldId field) const;
    // A sentence for the status line after the running event's failures, once.
    void note(const std::string& sentence);

private:
    struct Field {
        std::string name;
        std::string text;
        std::string caption;
        bool computed = false;
        bool work = false;
        Reaction change = {};
        Reaction enter = {};
        Reaction focus = {};
        // Why the last computation of this result failed, and when (0: it did not).
        std::string failure = {};
        std::size_t failedAt = 0;
    };

    void failStep(FieldId target, const StepFailed& failure);
    [[noreturn]] void failReading(FieldId field, const StepFailed& failure) const;
    void needComputed(FieldId field) const;
    void userEvent(const Reaction& reaction);
    std::string composeStatus() const;

    std::vector<Field> m_fields;
    std::function<void(FieldId)> m_observer;
    std::string m_status;
    std::vector<std::string> m_notes;  // of the running event
    std::size_t m_stepsRun = 0;
    std::size_t m_failures = 0;
};
