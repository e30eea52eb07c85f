#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engineering/Units.h"

namespace velmarith::engineering {

// Every input of a request. The order is the order in which --help, the forms and the
// batch's output list them.
enum class RequestField {
    Material,
    Temperature,
    Cold,
    Length,
    Install,
    Units,
    Diameter,
    Wall,
    Modulus,
    Allowable,
    ColdAllowable,
    HotAllowable,
    Cycles,
    GivenLeg,
    GivenLoopWidth,
    GivenLoopHeight,
    JointMovement,
    JointStiffness,
    JointArea,
    Pressure,
    Friction,
    Weight,
    Compensation,
};
inline constexpr std::size_t kInputCount = 23;

// What an input measures; its unit in SI and in US units follows from it.
enum class Quantity {
    Material,
    Temperature,
    Length,
    Stress,
    Modulus,
    Count,
    Units,
    Pressure,         // MPa, psi (gauge)
    Area,             // cm², in²
    Stiffness,        // N/mm, lbf/in
    WeightPerLength,  // N/m, lbf/ft
    Ratio,            // no unit
    Choice,           // one of a few words, no unit
};

// Where --help lists an input. The line's inputs (a leg or loop the layout offers, a bellows
// joint) need the pipe's, and add to the output only when one of them is given.
enum class InputGroup { Calculation, Pipe, Line };

// The range an ordinary value of a quantity falls in, in SI units (°C, mm, MPa). A value
// outside it is taken, with a warning that names the likely slip.
struct Span {
    double low = 0;
    double high = 0;
    bool Any() const { return high > low; }
};

// One input, declared once: every face reads its names, unit, default and check from here.
struct InputRow {
    RequestField field;
    std::string_view key;          // JSON key, batch column, form field, fault's field name
    std::string_view link;         // key in the workbench's link
    std::string_view shortOption;  // "-t", or empty
    std::string_view option;       // "--temperature"
    std::string_view label;        // the workbench's label, also a batch column in Chinese
    std::string_view symbol;       // "Sc", as formulas and warnings name it; may be empty
    std::string_view note;         // what the form and --help add: "最热状态"
    std::string_view help;         // --help's text after the label
    InputGroup group;
    Quantity quantity;
    bool required;  // a calculation needs it
    Span plausible;
    // The workbench's form: the field's place in it (the pipe's fields in the order they are
    // usually read off a line list), a word before the label ("或" for SA, the other way to
    // give the allowable stresses) and what the label says of a field that may stay empty and
    // has no default ("可不填").
    int formPlace;
    std::string_view formLead;
    std::string_view blank;
};

// The table of inputs, in RequestField order.
std::span<const InputRow> Inputs();
const InputRow& Row(RequestField field);

// The input a name stands for: its key, its option ("--od"), its batch column in either
// units' form ("od_in") or its label ("外径", "外径 D").
const InputRow* FindInput(std::string_view name);

// A quantity's unit as a request's lines show it ("摄氏度" / "°F", "mm" / "in", "MPa" / "psi").
std::string_view UnitName(Quantity quantity, Units units);

// A batch column's name in the output's header: "od", or in US units "od_in".
std::string ColumnName(const InputRow& row, Units units);

// The default an input takes when not given, as its text in the request's units; empty when
// there is none (or it depends on the material, as Ea does).
std::string_view DefaultText(RequestField field, Units units);

// The units named by a text: "si" or "us", in any case.
std::optional<Units> ParseUnits(std::string_view text);
std::string_view UnitsKey(Units units);

// How a run takes its movement: an L-bend's leg, a Π loop, or axial bellows joints.
enum class Layout { Leg, Loop, Bellows };
// "leg", "loop" or "bellows", in any case.
std::optional<Layout> ParseLayout(std::string_view text);
std::string_view LayoutKey(Layout layout);

// One calculation as typed, the one form every face hands a request on in: each input as
// text, none for one not given. -t is the warmest state, --cold the coldest. An absent
// installation temperature is the default, 20 °C (68 °F); an absent cold temperature, no
// cold state.
struct RequestText {
    std::array<std::optional<std::string>, kInputCount> given{};

    std::optional<std::string>& operator[](RequestField field) {
        return given[static_cast<std::size_t>(field)];
    }
    const std::optional<std::string>& operator[](RequestField field) const {
        return given[static_cast<std::size_t>(field)];
    }
    // The text typed, "" when none.
    std::string_view Text(RequestField field) const {
        const auto& value = (*this)[field];
        return value ? std::string_view(*value) : std::string_view();
    }
    bool Has(RequestField field) const { return (*this)[field].has_value(); }
    // Whether any of the pipe's inputs is given.
    bool AnyPipe() const;
    // Whether any of the line's inputs is given.
    bool AnyLine() const;
    // The units typed; SI when none (a check refuses a text that names none).
    Units UnitSystem() const;
    void SetUnits(Units units);
    bool operator==(const RequestText&) const = default;
};

// An input outside the span its quantity usually falls in: the field and the words.
struct InputWarning {
    RequestField field;
    std::string message;  // "Sc = 20000 MPa: 是否按 psi 输入?"
};

// The warning for a value of an input (in the request's units) outside its plausible span,
// naming the unit it was likely typed in; none for an ordinary value.
std::optional<InputWarning> PlausibilityWarning(const InputRow& row, double value, Units units);

}  // namespace velmarith::engineering
