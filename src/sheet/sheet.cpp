#include "sheet/sheet.h"

#include <algorithm>
#include <cctype>

namespace {

// "Scale reading of Test 1" -> "the scale reading of Test 1"; a caption that starts
// with an abbreviation ("P-30 pressure") keeps its capitals.
std::string subject(const std::string& caption)
{
    std::string out = "the " + caption;
    if (caption.size() > 1 && std::isupper(static_cast<unsigned char>(caption[0]))
        && !std::isupper(static_cast<unsigned char>(caption[1])) && caption[1] != '-')
        out[4] = static_cast<char>(std::tolower(static_cast<unsigned char>(caption[0])));
    return out;
}

// A reading as the status line quotes it: "20,5", a long paste cut short.
std::string quoted(const std::string& text)
{
    constexpr std::size_t kShown = 24;  // characters
    std::size_t characters = 0, end = 0;
    for (; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && characters++ == kShown)
            break;
    }
    return "\"" + text.substr(0, end) + (end < text.size() ? "\u2026" : "") + "\"";
}

}  // namespace

FieldId Sheet::add(std::string name, std::string initial, std::string caption)
{
    m_fields.push_back(Field{std::move(name), std::move(initial), std::move(caption)});
    return FieldId(m_fields.size() - 1);
}

FieldId Sheet::addResult(std::string name, std::string caption)
{
    const FieldId field = add(std::move(name), {}, std::move(caption));
    m_fields.back().computed = true;
    return field;
}

FieldId Sheet::addWork(std::string name, std::string caption)
{
    const FieldId field = addResult(std::move(name), std::move(caption));
    m_fields.back().work = true;
    return field;
}

void Sheet::onChange(FieldId field, Reaction reaction) { m_fields.at(field.index()).change = std::move(reaction); }
void Sheet::onEnter(FieldId field, Reaction reaction) { m_fields.at(field.index()).enter = std::move(reaction); }
void Sheet::onFocus(FieldId field, Reaction reaction) { m_fields.at(field.index()).focus = std::move(reaction); }

const std::string& Sheet::text(FieldId field) const { return m_fields.at(field.index()).text; }
const std::string& Sheet::name(FieldId field) const { return m_fields.at(field.index()).name; }
const std::string& Sheet::caption(FieldId field) const { return m_fields.at(field.index()).caption; }
bool Sheet::computed(FieldId field) const { return m_fields.at(field.index()).computed; }

bool Sheet::typeReadings(const std::map<std::string, std::string>& readings)
{
    bool none = true;
    for (FieldId reading : readingsInOrder()) {
        const auto typed = readings.find(name(reading));
        const std::string text = typed == readings.end() ? std::string() : typed->second;
        focus(reading);
        type(reading, text);
        if (!text.empty())
            enter(reading);
        none = none && text.empty();
    }
    return none;
}

std::vector<FieldId> Sheet::readingsInOrder() const
{
    std::vector<FieldId> readings;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_fields[i].computed)
            readings.push_back(FieldId(i));
    }
    return readings;
}

FieldId Sheet::find(std::string_view name) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name == name)
            return FieldId(i);
    }
    return FieldId();
}

void Sheet::write(FieldId field, std::string text)
{
    Field& f = m_fields.at(field.index());
    f.text = std::move(text);
    f.failedAt = 0;
    if (f.change)
        f.change();
}

void Sheet::blankResults()
{
    for (Field& field : m_fields) {
        if (field.computed) {
            field.text.clear();
            field.failedAt = 0;
        }
    }
}

void Sheet::type(FieldId field, std::string text)
{
    Field& f = m_fields.at(field.index());
    f.text = std::move(text);
    userEvent(f.change);
}

void Sheet::enter(FieldId field) { userEvent(m_fields.at(field.index()).enter); }
void Sheet::focus(FieldId field) { userEvent(m_fields.at(field.index()).focus); }

void Sheet::userEvent(const Reaction& reaction)
{
    std::vector<std::string> before;
    before.reserve(m_fields.size());
    for (const Field& field : m_fields)
        before.push_back(field.text);
    m_notes.clear();
    const std::size_t stepsBefore = m_stepsRun;
    if (settle()) {
        ++m_stepsRun;
    } else if (reaction) {
        ++m_stepsRun;
        reaction();
    }
    // An event that computed nothing (a plain focus change, typing into a field
    // without a reaction) leaves the last computation's message standing.
    if (m_stepsRun != stepsBefore)
        m_status = composeStatus();
    if (m_observer) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].text != before[i])
                m_observer(FieldId(i));
        }
    }
}

// "Percent of error of Test 1 and average error not computed: the scale sum is
// zero." Every result left blank by a failure is named, after the work field that
// failed first when that is where it began; the reason is the first failure's; the
// notes of the event follow.
std::string Sheet::composeStatus() const
{
    const Field* first = nullptr;
    for (const Field& field : m_fields) {
        if (field.failedAt != 0 && (!first || field.failedAt < first->failedAt))
            first = &field;
    }
    std::vector<const Field*> failed;
    if (first && first->work)
        failed.push_back(first);
    for (const Field& field : m_fields) {
        if (field.failedAt != 0 && !field.work)
            failed.push_back(&field);
    }
    std::string status;
    if (first) {
        std::vector<std::string> names;
        std::vector<const std::string*> captions;  // a caption two fields share is named once
        for (const Field* field : failed) {
            if (std::find_if(captions.begin(), captions.end(),
                             [&](const std::string* c) { return *c == field->caption; })
                != captions.end())
                continue;
            captions.push_back(&field->caption);
            names.push_back(names.empty() ? field->caption : subject(field->caption).substr(4));
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i > 0)
                status += i + 1 == names.size() ? " and " : ", ";
            status += names[i];
        }
        status += " not computed: " + first->failure + ".";
    }
    for (const std::string& note : m_notes)
        status += (status.empty() ? "" : " ") + note;
    return status;
}

void Sheet::failStep(FieldId target, const StepFailed& failure)
{
    ++m_stepsRun;
    Field& f = m_fields.at(target.index());
    f.text.clear();
    f.failure = failure.what();
    f.failedAt = ++m_failures;
    // What is worked out from it is attempted too, and fails in turn, so that the
    // status line names it.
    if (f.change)
        f.change();
}

void Sheet::failReading(FieldId field, const StepFailed& failure) const
{
    const Field& f = m_fields.at(field.index());
    const std::string who = subject(f.caption);
    switch (failure.kind) {
    case StepFailed::Kind::Empty: throw StepFailed(failure.kind, who + " is empty");
    case StepFailed::Kind::NotANumber:
        throw StepFailed(failure.kind, who + (f.computed ? "" : " " + quoted(f.text)) + " is not a number");
    default: throw StepFailed(failure.kind, who + " is out of range");
    }
}

void Sheet::needComputed(FieldId field) const
{
    if (m_fields.at(field.index()).failedAt != 0)
        throw StepFailed(StepFailed::Kind::NotComputed, subject(caption(field)) + " was not computed");
}

void Sheet::note(const std::string& sentence)
{
    if (std::find(m_notes.begin(), m_notes.end(), sentence) == m_notes.end())
        m_notes.push_back(sentence);
}

double Sheet::strict(FieldId field) const
{
    needComputed(field);
    try {
        return strictNumber(text(field));
    } catch (const StepFailed& failure) {
        failReading(field, failure);
    }
}

std::int32_t Sheet::whole(FieldId field) const
{
    needComputed(field);
    try {
        return wholeNumber(text(field));
    } catch (const StepFailed& failure) {
        if (failure.kind == StepFailed::Kind::OutOfRange)
            throw StepFailed(failure.kind,
                             subject(m_fields.at(field.index()).caption) + " is beyond the whole-number range");
        failReading(field, failure);
    }
}

double Sheet::divisor(FieldId field) const
{
    const double value = strict(field);
    if (value == 0.0)
        throw StepFailed(StepFailed::Kind::DivideByZero, subject(m_fields.at(field.index()).caption) + " is zero");
    return value;
}
