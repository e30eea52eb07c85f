// Every input reaches the same request whichever face gives it: an option, a batch column (by
// key, by US column name, by Chinese label), a key of the JSON request.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "app/calc/BatchColumns.h"
#include "app/calc/CommandLine.h"
#include "app/shared/RequestJson.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

// A value of each input, as a user types it.
struct Given {
    RequestField field;
    const char* value;
};
const Given kGiven[] = {
    {RequestField::Material, "Q345R"},
    {RequestField::Temperature, "350.5"},
    {RequestField::Cold, "-20"},
    {RequestField::Length, "30000"},
    {RequestField::Install, "15"},
    {RequestField::Units, "us"},
    {RequestField::Diameter, "168.3"},
    {RequestField::Wall, "7.11"},
    {RequestField::Modulus, "203000"},
    {RequestField::Allowable, "200"},
    {RequestField::ColdAllowable, "137.9"},
    {RequestField::HotAllowable, "124.8"},
    {RequestField::Cycles, "20000"},
    {RequestField::GivenLeg, "6000"},
    {RequestField::GivenLoopWidth, "2000"},
    {RequestField::GivenLoopHeight, "3000"},
    {RequestField::JointMovement, "20"},
    {RequestField::JointStiffness, "500"},
    {RequestField::JointArea, "450"},
    {RequestField::Pressure, "1.6"},
    {RequestField::Friction, "0.25"},
    {RequestField::Weight, "900"},
    {RequestField::Compensation, "loop"},
};

RequestText ByOption(const InputRow& row, const char* value) {
    std::vector<std::string> arguments = {"velmarith-calc", "-m", "0", "-t", "150", "-l", "1000"};
    // The input itself replaces the calculation's own value of it.
    for (std::size_t i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == row.shortOption)
            arguments.erase(arguments.begin() + i, arguments.begin() + i + 2);
    }
    arguments.emplace_back(row.option);
    arguments.emplace_back(value);
    std::vector<char*> argv;
    argv.reserve(arguments.size());
    for (auto& argument : arguments) argv.push_back(argument.data());
    auto parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_TRUE(std::holds_alternative<CommandLine>(parsed))
        << row.option << ": " << std::get<UsageError>(parsed).message;
    if (auto* line = std::get_if<CommandLine>(&parsed)) return line->request;
    return {};
}

RequestText ByColumn(const InputRow& row, const std::string& name, const char* value) {
    RequestText defaults;
    defaults[RequestField::Material] = "0";
    defaults[RequestField::Temperature] = "150";
    defaults[RequestField::Length] = "1000";
    auto columns = BatchColumns::FromHeader({name}, defaults);
    EXPECT_TRUE(std::holds_alternative<BatchColumns>(columns))
        << name << ": " << std::get<std::string>(columns);
    if (auto* found = std::get_if<BatchColumns>(&columns)) return found->Request({value});
    (void)row;
    return {};
}

RequestText ByJson(const InputRow& row, const char* value) {
    const std::string text =
        std::string(R"({"material":"0","temperature":"150","length":"1000",")") +
        std::string(row.key) + "\":\"" + value + "\"}";
    const auto read = ReadRequestJson(text);
    EXPECT_TRUE(read.unknown.empty()) << text;
    return read.request;
}

TEST(InputTable, EveryInputReachesTheSameRequestFromEveryFace) {
    ASSERT_EQ(std::size(kGiven), Inputs().size());
    for (const auto& [field, value] : kGiven) {
        const InputRow& row = Row(field);
        const RequestText option = ByOption(row, value);
        EXPECT_EQ(option.Text(field), value) << row.key;
        EXPECT_EQ(ByJson(row, value).given, option.given) << row.key;
        if (field == RequestField::Units) continue;  // one for the whole batch: --units
        for (const std::string& name :
             {std::string(row.key), ColumnName(row, Units::Us), std::string(row.label)}) {
            EXPECT_EQ(ByColumn(row, name, value).given, option.given) << name;
        }
    }
}

TEST(InputTable, AHeaderNamesWhatItDoesNotKnowAndWhatIsMissing) {
    RequestText none;
    const struct {
        std::vector<std::string> header;
        const char* fault;
    } cases[] = {
        {{"material", "temperature", "length", "foo", "sc"},
         "表头应为 material,temperature,length[,cold][,install][,od][,wall][,modulus][,sa][,sc][,"
         "sh][,cycles] (各列也可用中文名: 材料, 温度, 冷态温度, 长度, 安装温度, 外径, 壁厚, "
         "弹性模量, "
         "许用位移应力范围, 冷态许用应力, 热态许用应力, 循环次数; 另可有 line 或 管线号, "
         "description 或 说明 列); 不认识第4列 \"foo\""},
        {{"材料", "长度"},
         "表头缺少列 temperature (或给出选项 --temperature); 表头应为 "
         "material,temperature,length[,cold][,install][,od][,wall][,modulus][,sa][,sc][,sh][,"
         "cycles]"},
        {{"material", "temperature", "length", "温度"},
         "表头中的列 temperature 出现了两次 (第2列与第4列)"},
        {{"material", "temperature", "length", "units"},
         "表头应为 material,temperature,length[,cold][,install][,od][,wall][,modulus][,sa][,sc][,"
         "sh][,cycles] (各列也可用中文名: 材料, 温度, 冷态温度, 长度, 安装温度, 外径, 壁厚, "
         "弹性模量, "
         "许用位移应力范围, 冷态许用应力, 热态许用应力, 循环次数; 另可有 line 或 管线号, "
         "description 或 说明 列); 不认识第4列 \"units\""},
        // A row's labels are columns too, once each.
        {{"管线号", "material", "temperature", "length", "line"},
         "表头中的列 line 出现了两次 (第1列与第5列)"},
    };
    for (const auto& c : cases) {
        const auto columns = BatchColumns::FromHeader(c.header, none);
        ASSERT_TRUE(std::holds_alternative<std::string>(columns)) << c.fault;
        EXPECT_EQ(std::get<std::string>(columns), c.fault);
    }
}

TEST(InputTable, AJsonRequestNamesTheKeysItDoesNotTake) {
    const auto read =
        ReadRequestJson(R"({"material":"0","zz":"1","t":"150","od":true,"length":1000})");
    EXPECT_EQ(read.unknown, (std::vector<std::string>{"zz", "t", "od"}));
    EXPECT_EQ(read.request.Text(RequestField::Length), "1000");
    EXPECT_FALSE(read.request.Has(RequestField::Diameter));
}

TEST(InputTable, AJsonRequestIsOneFlatObjectOfStrings) {
    const struct {
        const char* json;
        const char* material;  // nullptr: malformed
    } cases[] = {
        {R"({"material":"Q345R"})", "Q345R"},
        {R"( { "material" : "\u5965\u6c0f\u4f53\u94a2" } )", "奥氏体钢"},
        {R"({"material":"a\"b\\c\/d\te"})", "a\"b\\c/d\te"},
        {R"({"material":"\ud83d\ude00"})", "\U0001F600"},
        {R"({"material":"\ud83d"})", "\uFFFD"},
        {R"({"material":"奥氏体钢"})", "奥氏体钢"},
        {R"({"material":""})", ""},
        {"{}", ""},
        {R"({"material":"0",})", nullptr},
        {R"({"material":"0"} x)", nullptr},
        {R"({"material":["0"]})", nullptr},
        {R"({"material":"0)", nullptr},
        {R"({"material":"\x"})", nullptr},
        {R"({"material":"\u12"})", nullptr},
        {"[1,2]", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto read = ReadRequestJson(c.json);
        EXPECT_EQ(read.malformed, c.material == nullptr) << c.json;
        if (c.material != nullptr) {
            EXPECT_EQ(read.request.Text(RequestField::Material), c.material) << c.json;
        } else {
            EXPECT_FALSE(read.request.Has(RequestField::Material)) << c.json;
        }
    }
}

}  // namespace
}  // namespace velmarith::tool
