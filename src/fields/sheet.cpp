#include "fields/sheet.h"

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

} // namespace

FieldId Sheet::add(std::string name, std::string initial, std::string caption)
{
    m_fields.push_back(Field{std::move(name), std::move(initial), std::move(caption), {}, {}, {}});
    return FieldId(m_fields.size() - 1);
}

void Sheet::onChange(FieldId field, Reaction reaction) { m_fields.at(field.index()).change = std::move(reaction); }
void Sheet::onEnter(FieldId field, Reaction reaction) { m_fields.at(field.index()).enter = std::move(reaction); }
void Sheet::onFocus(FieldId field, Reaction reaction) { m_fields.at(field.index()).focus = std::move(reaction); }

const std::string& Sheet::text(FieldId field) const { return m_fields.at(field.index()).text; }
const std::string& Sheet::name(FieldId field) const { return m_fields.at(field.index()).name; }
const std::string& Sheet::caption(FieldId field) const { return m_fields.at(field.index()).caption; }

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
    if (m_observer)
        m_observer(field);
    if (f.change)
        runContained(f.change);
}

void Sheet::runContained(const Reaction& reaction)
{
    try {
        reaction();
    } catch (const Stopped&) {
        // The failed step has been recorded; the reaction that ran it ends here and
        // the one that started it goes on.
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
    m_eventFailure.clear();
    const std::size_t stepsBefore = m_stepsRun;
    if (reaction) {
        ++m_stepsRun;
        try {
            reaction();
        } catch (const Stopped&) {
        }
    }
    // An event that computed nothing (a plain focus change, typing into a field
    // without a reaction) leaves the last computation's message standing.
    if (m_stepsRun != stepsBefore || !m_eventFailure.empty())
        m_status = m_eventFailure;
}

void Sheet::stopStep(FieldId target, const StepFailed& failure)
{
    ++m_stepsRun;
    m_eventFailure = m_fields.at(target.index()).caption + " not computed: " + failure.what() + ".";
    throw Stopped{};
}

void Sheet::failReading(FieldId field, const StepFailed& failure) const
{
    const std::string who = subject(m_fields.at(field.index()).caption);
    switch (failure.kind) {
    case StepFailed::Kind::Empty:
        throw StepFailed(failure.kind, who + " is empty");
    case StepFailed::Kind::NotANumber:
        throw StepFailed(failure.kind, who + " is not a number");
    default:
        throw StepFailed(failure.kind, who + " is out of range");
    }
}

double Sheet::lenient(FieldId field) const
{
    try {
        return leadingNumber(text(field));
    } catch (const StepFailed& failure) {
        failReading(field, failure);
    }
}

double Sheet::strict(FieldId field) const
{
    try {
        return strictNumber(text(field));
    } catch (const StepFailed& failure) {
        failReading(field, failure);
    }
}

std::int32_t Sheet::whole(FieldId field) const
{
    try {
        return wholeNumber(text(field));
    } catch (const StepFailed& failure) {
        if (failure.kind == StepFailed::Kind::OutOfRange)
            throw StepFailed(failure.kind, subject(m_fields.at(field.index()).caption)
                                               + " is beyond the whole-number range");
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
