// The project file: what is read is what is written, every refusal says why and where, and a
// segment with a bad input is kept and marked.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "app/shared/ProjectFile.h"
#include "app/shared/ProjectSummary.h"

namespace velmarith::tool {
namespace {

using engineering::RequestField;

std::string Fixture(const char* name) {
    std::ifstream file(std::string(VELMARITH_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Project Read(const std::string& text) {
    auto read = ReadProject(text);
    EXPECT_TRUE(std::holds_alternative<Project>(read)) << std::get<ProjectFault>(read).message;
    return std::holds_alternative<Project>(read) ? std::get<Project>(read) : Project{};
}

TEST(ProjectFile, TheHandWrittenExampleReadsAndWritesBackUnchanged) {
    const Project project = Read(Fixture("project-example.json"));
    EXPECT_EQ(project.title.project, "某石化厂蒸汽管网改造");
    EXPECT_EQ(project.title.checkedBy, "李工");
    EXPECT_EQ(project.title.date, "2026-12-10");
    ASSERT_EQ(project.materials.size(), 1u);
    EXPECT_EQ(project.materials[0].material.name, "紫铜 T2");
    EXPECT_EQ(project.materials[0].material.grades, std::vector<std::string>{"T2"});
    EXPECT_EQ(project.materials[0].material.points[1].alpha, 17.9);
    ASSERT_EQ(project.segments.size(), 3u);
    EXPECT_EQ(project.segments[0].line, "P-101");
    EXPECT_EQ(project.segments[0].description, "主蒸汽总管, 固定点 A1 至 A2");
    EXPECT_EQ(project.segments[0].inputs.Text(RequestField::Compensation), "loop");
    EXPECT_EQ(project.segments[1].inputs.Text(RequestField::Weight), "900");
    EXPECT_FALSE(project.segments[2].inputs.Has(RequestField::Diameter));

    const std::string written = WriteProject(project);
    EXPECT_EQ(Read(written), project);
    EXPECT_EQ(WriteProject(Read(written)), written);
    for (const auto& mark : MarkSegments(ProjectCatalogue(project), project)) {
        EXPECT_EQ(mark.fault, "");
        EXPECT_FALSE(mark.duplicateLine);
    }
}

TEST(ProjectFile, MembersItDoesNotKnowAreKeptAtEveryLevel) {
    const std::string text = R"({"format": "velmarith-project", "version": 1, "saved_by": "web",
        "title": {"project": "P", "client": "甲方"},
        "materials": [{"name": "M", "points": [[20, 10], [200, 11]], "source": "手册"}],
        "segments": [{"line": "1", "inputs": {"material": "M", "temperature": 150,
                      "length": "1000", "colour": "red"}, "layer": 3}, 42]})";
    const Project project = Read(text);
    const std::string written = WriteProject(project);
    for (const char* kept : {R"("saved_by": "web")", R"("client": "甲方")", R"("source": "手册")",
                             R"("colour": "red")", R"("layer": 3)", "    42\n"}) {
        EXPECT_NE(written.find(kept), std::string::npos) << kept << " in\n" << written;
    }
    // A number is taken as its text; the rest read back the same.
    EXPECT_EQ(project.segments[0].inputs.Text(RequestField::Temperature), "150");
    EXPECT_EQ(Read(written), project);
    EXPECT_EQ(WriteProject(Read(written)), written);
}

TEST(ProjectFile, AFileThatCannotBeAProjectIsRefusedSayingWhy) {
    struct Case {
        std::string text;
        std::string message;
        std::size_t line, column;
    };
    const Case cases[] = {
        {R"({"format": "velmarith-project", "version": 2, "segments": []})",
         "项目文件的版本为 2, 本程序只能读到版本 1: 请用较新的 Velmarith 打开", 0, 0},
        // The place counts characters, not bytes: the Chinese title is one column a character.
        {"{\"format\": \"velmarith-project\",\n \"version\": 1,\n \"title\": {\"project\": "
         "\"蒸汽管网\" \"number\": \"1\"}}",
         "项目文件不是有效的 JSON: 第 3 行第 30 列有误", 3, 30},
        {"{\"format\": \"velmarith-project\", \"version\": 1, \"segments\": [", "", 1, 60},
        // Saved as GB18030: "工程" is no UTF-8.
        {"{\"format\": \"velmarith-project\", \"version\": 1,\n \"title\": {\"project\": "
         "\"\xb9\xa4\xb3\xcc\"}}",
         "项目文件不是 UTF-8 编码 (请以 UTF-8 保存): 第 2 行第 23 列有误", 2, 23},
        {std::string(kLargestProjectFile + 1, ' '), "项目文件过大: 超过 5 MB (5242880 字节)", 0, 0},
        {std::string(100000, '[') + std::string(100000, ']'), "项目文件嵌套过深 (超过 64 层)", 0,
         0},
        {R"({"version": 1})", "不是 Velmarith 项目文件: 应有 \"format\": \"velmarith-project\"", 0,
         0},
        {R"({"format": "velmarith-project", "version": 1, "units": "metric"})",
         "units 应为 \"si\" 或 \"us\"", 0, 0},
        {R"({"format": "velmarith-project", "version": 1,
             "materials": [{"name": "M", "points": [[20, 10]]}]})",
         "materials 第1个: 材料 \"M\" 只有 1 个表点, 至少要 2 个", 0, 0},
    };
    for (const auto& c : cases) {
        auto read = ReadProject(c.text);
        ASSERT_TRUE(std::holds_alternative<ProjectFault>(read)) << c.text.substr(0, 80);
        const auto& fault = std::get<ProjectFault>(read);
        if (!c.message.empty()) {
            EXPECT_EQ(fault.message, c.message);
        }
        EXPECT_EQ(fault.line, c.line) << c.text.substr(0, 80);
        EXPECT_EQ(fault.column, c.column) << c.text.substr(0, 80);
    }
}

TEST(ProjectFile, ASegmentWithABadInputIsKeptAndMarked) {
    const Project project = Read(R"({"format": "velmarith-project", "version": 1, "segments": [
        {"line": "A", "inputs": {"material": "0", "temperature": "abc", "length": "1000"}},
        {"line": "B", "inputs": {"material": "0", "temprature": "150", "length": "1000"}},
        {"line": "A", "inputs": {"material": "0", "temperature": true, "length": "1000"}},
        {"line": "C", "inputs": {"material": "0", "temperature": "150", "length": "1000"}},
        {"line": "D", "inputs": {"material": "0", "temperature": "150", "length": "1000",
                                 "od": "168.3", "compensation": "spring"}},
        "P-9"]})");
    ASSERT_EQ(project.segments.size(), 6u);
    const auto marks = MarkSegments(ProjectCatalogue(project), project);
    const struct {
        std::string fault;
        bool duplicate;
    } expected[] = {
        {"温度无效: \"abc\" (应为整摄氏度数, 该材料为 -200 ~ 700 摄氏度)", true},
        {"不认识的输入 \"temprature\" (应为 material, temperature, cold, length, install, units, "
         "od, wall, modulus, sa, sc, sh, cycles, given_leg, given_loop_width, given_loop_height, "
         "joint_movement, joint_stiffness, joint_area, pressure, friction, weight, compensation)",
         false},
        {"输入 temperature 的值应为文本或数值, 而不是 true", true},
        {"", false},
        {"补偿方式无效: \"spring\" (应为 leg, loop 或 bellows)", false},
        {"该段无法读取: 不是 JSON 对象", false},
    };
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].fault, expected[i].fault) << i;
        EXPECT_EQ(marks[i].duplicateLine, expected[i].duplicate) << i;
    }
    // Its row names the material though the segment is not computed.
    EXPECT_EQ(SummaryOf(ProjectCatalogue(project), project.segments[0], marks[0], nullptr).material,
              "碳钢和低铬钼钢");
    EXPECT_EQ(SegmentName(project, 0), "管线号 A");
    EXPECT_EQ(SegmentName(project, 5), "第6段");
    EXPECT_EQ(Read(WriteProject(project)), project);
}

// A leg or loop the layout offers: the summary says whether it takes the movement.
TEST(ProjectFile, TheSummarySaysWhetherAGivenLegOrLoopSuffices) {
    const Project project = Read(R"({"format": "velmarith-project", "version": 1, "segments": [
        {"line": "A", "inputs": {"material": "0", "temperature": "250", "length": "36000",
          "od": "219.1", "wall": "8", "sa": "207", "given_leg": "4000"}},
        {"line": "B", "inputs": {"material": "0", "temperature": "250", "length": "36000",
          "od": "219.1", "wall": "8", "sa": "207", "given_leg": "9000"}},
        {"line": "C", "inputs": {"material": "0", "temperature": "250", "length": "36000",
          "od": "219.1", "wall": "8", "sa": "207", "compensation": "loop",
          "given_loop_width": "1000", "given_loop_height": "2000"}},
        {"line": "D", "inputs": {"material": "0", "temperature": "250", "length": "36000",
          "od": "219.1", "wall": "8", "sa": "207",
          "given_loop_width": "2000", "given_loop_height": "4000"}}]})");
    const engineering::Catalogue catalogue = ProjectCatalogue(project);
    const auto marks = MarkSegments(catalogue, project);
    const char* expected[] = {"给定 Lg = 4000: 不满足, 需 Lg 不小于 8192.268",
                              "给定 Lg = 9000: 满足",
                              "给定 W × H = 1000 × 2000: 不满足, 需 Lf 不小于 8192.268",
                              // A loop the layout offers is the way, where none is chosen.
                              "给定 W × H = 2000 × 4000: 满足"};
    for (std::size_t i = 0; i < project.segments.size(); ++i) {
        const auto request = SegmentRequest(catalogue, project, project.segments[i]);
        const auto evaluation =
            engineering::Evaluate(catalogue, std::get<engineering::RequestText>(request));
        EXPECT_EQ(SummaryOf(catalogue, project.segments[i], marks[i], &evaluation).size,
                  expected[i])
            << i;
    }
}

}  // namespace
}  // namespace velmarith::tool
