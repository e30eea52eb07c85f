#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/calc/Batch.h"
#include "app/calc/OneShot.h"
#include "app/shared/CsvField.h"
#include "engineering/Report.h"
#include "tests/support/ScriptedRuntime.h"
#include "ui/ExpansionForm.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

// Collects what a function writes to a FILE*.
class Capture {
  public:
    Capture() : file_(open_memstream(&data_, &size_)) {}
    ~Capture() {
        if (file_ != nullptr) std::fclose(file_);
        std::free(data_);
    }
    std::FILE* file() { return file_; }
    std::string Text() {
        std::fflush(file_);
        return std::string(data_, size_);
    }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

OneShotOptions Options(std::string material, std::string temperature, std::string length,
                       std::string install = "") {
    OneShotOptions options;
    options.request[RequestField::Material] = std::move(material);
    options.request[RequestField::Temperature] = std::move(temperature);
    options.request[RequestField::Length] = std::move(length);
    if (!install.empty())
        options.request[RequestField::Install] = std::move(install);  // "" here: not given
    return options;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome OneShot(const OneShotOptions& options, const Catalogue& catalogue = Catalogue()) {
    Capture out, err;
    const int status = RunOneShot(catalogue, options, out.file(), err.file());
    return {status, out.Text(), err.Text()};
}

Outcome Batch(const std::string& input, const BatchOptions& options = {}) {
    std::FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    if (input.empty()) in = std::fopen("/dev/null", "r");
    Capture out, err;
    const int status = RunBatch(in, out.file(), err.file(), options);
    std::fclose(in);
    return {status, out.Text(), err.Text()};
}

// The window's lines for one press of the output button, from its handlers on a scripted
// runtime, as the tests of the window's behaviour drive them.
std::string WindowOutput(int material, const std::string& temperature, const std::string& length,
                         float* expansion = nullptr) {
    ScriptedRuntime runtime;
    ExpansionForm form(runtime);
    form.Form_Load();
    runtime.position = static_cast<std::int16_t>(material);
    form.Combo1_Click();
    runtime.Answer(temperature);
    form.Command2_Click();
    runtime.Answer(length);
    form.Command3_Click();
    runtime.transcript.clear();
    form.Command4_Click();
    if (expansion != nullptr) *expansion = form.State().Expansion;
    std::string text;
    for (const auto& line : runtime.Screen()) text += line + "\n";
    return text;
}

TEST(OneShot, PrintsTheWindowsLinesForEveryMaterialAndTemperature) {
    const Catalogue catalogue;
    const CoefficientCache coefficients(catalogue);
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& limits = MaterialLimitsTable[k];
        for (int t = limits.Low; t <= limits.High; t += 5) {
            const std::string temperature = std::to_string(t);
            for (const std::string length : {"1000", "2.5", "-37.75"}) {
                float windowExpansion = 0;
                const std::string window = WindowOutput(k, temperature, length, &windowExpansion);
                for (const std::string install : {"", "20"}) {
                    const auto outcome =
                        OneShot(Options(std::to_string(k), temperature, length, install));
                    ASSERT_EQ(outcome.status, 0) << k << " " << t;
                    EXPECT_EQ(outcome.out, window) << k << " " << t << " " << length;
                }
                // The installation formula with T1 = 20 is the window's to the last bit.
                const std::string material = std::to_string(k);
                RequestText text;
                text[RequestField::Material] = material;
                text[RequestField::Temperature] = temperature;
                text[RequestField::Length] = length;
                text[RequestField::Install] = "20";
                const auto request = std::get<Request>(ParseRequest(catalogue, text));
                const auto result = std::get<Result>(Calculate(catalogue, request, &coefficients));
                EXPECT_EQ(result.expansion, windowExpansion) << k << " " << t << " " << length;
            }
        }
    }
}

TEST(OneShot, InstallationTemperatureUsesBothMeanCoefficients) {
    struct Case {
        std::string material, temperature, length, install;
        const char* expansion;
        const char* perMetre;
    };
    // By hand: L (α(T2)(T2 - 20) - α(T1)(T1 - 20)) / 1e6.
    const Case cases[] = {
        {"0", "200", "1000", "100", "1.276", "1.276"},     // (12.2·180 - 11.5·80) / 1000
        {"2", "800", "1000", "-200", "18.288", "18.288"},  // (19.3·780 + 14.7·220) / 1000
        {"0", "100", "2000", "200", "-2.552", "-1.276"},   // cooling back down
        {"6", "500", "1000", "20", "6.096", "6.096"},      // 12.7·480 / 1000; 20 is always allowed
        {"5", "300", "500", "300", "0", "0"},
    };
    for (const auto& c : cases) {
        auto options = Options(c.material, c.temperature, c.length, c.install);
        options.output.rate = true;
        const auto outcome = OneShot(options);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_NE(outcome.out.find(std::string("  材料的膨胀量为: ") + c.expansion + "mm\n"),
                  std::string::npos)
            << outcome.out;
        EXPECT_NE(outcome.out.find(std::string("  每米膨胀量为: ") + c.perMetre + "mm/m\n"),
                  std::string::npos)
            << outcome.out;
    }
}

TEST(OneShot, RejectsWhatTheWindowWouldNotCalculate) {
    struct Case {
        OneShotOptions options;
        const char* message;
    };
    const Case cases[] = {
        {Options("9", "150", "1000"), "未知材料"},
        {Options("碳钢", "150", "1000"), "未知材料"},
        {Options("0", "701", "1000"), "温度超过范围"},
        {Options("6", "20", "1000"), "温度超过范围"},
        {Options("5", "350", "1000"), "温度超过范围"},
        {Options("0", "150", "1000", "750"), "安装温度超过范围"},
        {Options("6", "150", "1000", "50"), "安装温度超过范围"},
        {Options("0", "abc", "1000"), "温度无效"},
        {Options("0", "40000", "1000"), "温度无效"},
        {Options("0", "150", "1,5"), "长度无效"},
        {Options("0", "150", "1e39"), "长度无效"},
        {Options("0", "150", "1", "x"), "安装温度无效"},
    };
    for (const auto& c : cases) {
        const auto outcome = OneShot(c.options);
        EXPECT_EQ(outcome.status, 1)
            << c.options.request.Text(engineering::RequestField::Temperature);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
}

TEST(OneShot, MaterialByListTextAndFullWidthNumbers) {
    const auto byText = OneShot(Options("奥氏体钢", "１５０", "１０００"));
    EXPECT_EQ(byText.status, 0);
    EXPECT_EQ(byText.out, WindowOutput(2, "150", "1000"));
    EXPECT_EQ(OneShot(Options("中铬钢（Cr5Mo至Cr9Mo）", "150", "1")).status, 0);
}

TEST(OneShot, ExplainShowsTheBracketingGridPoints) {
    auto options = Options("0", "-100", "1000");
    options.output.explain = true;
    const auto outcome = OneShot(options);
    ASSERT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("-100 摄氏度位于网格点 -130 与 -75 之间"), std::string::npos);
    EXPECT_NE(outcome.out.find("  α(-130) = 9.65\n  α(-75) = 10.1\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("存为单精度 9.895454"), std::string::npos) << outcome.out;
}

// The window takes whole degrees; a sheet that shows the working must say so.
TEST(OneShot, ExplainSaysWhereATemperatureWasRounded) {
    struct Case {
        OneShotOptions options;
        std::vector<std::string> notes;  // the explanation's lines after the title
        const char* expansionLine;
    };
    const Case cases[] = {
        {Options("0", "150.5", "1000"),
         {"温度 150.5 摄氏度按整摄氏度计算, 取为 150 摄氏度 (与窗口相同)"},
         "  材料的膨胀量为: 1.5405mm"},
        {Options("0", ".5", "1000"),
         {"温度 0.5 摄氏度按整摄氏度计算, 取为 0 摄氏度 (与窗口相同)"},
         "  材料的膨胀量为: -0.2146316mm"},
        {Options("0", "151.5", "1000", "20.4"),
         {"温度 151.5 摄氏度按整摄氏度计算, 取为 152 摄氏度 (与窗口相同)",
          "安装温度 20.4 摄氏度按整摄氏度计算, 取为 20 摄氏度 (与窗口相同)"},
         "  材料的膨胀量为: 1.566048mm"},
        {Options("0", "150", "1000"), {}, "  材料的膨胀量为: 1.5405mm"},
    };
    for (auto c : cases) {
        c.options.output.explain = true;
        const auto outcome = OneShot(c.options);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = outcome.out.find('\n', at)) != std::string::npos;
             at = end + 1) {
            lines.push_back(outcome.out.substr(at, end - at));
        }
        ASSERT_GT(lines.size(), c.notes.size() + 1);
        for (std::size_t i = 0; i < c.notes.size(); ++i) EXPECT_EQ(lines[i + 1], c.notes[i]);
        EXPECT_EQ(lines[c.notes.size() + 1].find("按整摄氏度"), std::string::npos);
        EXPECT_EQ(lines.back(), c.expansionLine);
        // An installation taken as 20 °C is the default: no line for it.
        EXPECT_EQ(outcome.out.find("(安装温度)"), std::string::npos);
    }
}

TEST(Table, ListsEveryRowAsTheWindowHoldsIt) {
    const Catalogue tables;
    const auto all = TableLines(TableOf(tables, std::nullopt));
    ASSERT_EQ(all.size(), 11u);
    EXPECT_EQ(all.back(), "-: 无数据");
    EXPECT_EQ(
        all[1],
        "0 碳钢和低铬钼钢\t-200 ~ 700\t9\t9.65\t10.1\t10.9\t11.5\t12.2\t12.9\t13.6\t14.2\t14.6\t"
        "14.9\t-\t-");
    EXPECT_EQ(all[7], "6 灰铸铁\t100 ~ 500\t-\t-\t-\t-\t10.4\t11\t11.6\t12.1\t12.7\t-\t-\t-\t-");
    const auto one = TableLines(TableOf(tables, 2));
    ASSERT_EQ(one.size(), 4u);
    EXPECT_NE(one[1].find("\t17.6\t18\t18.4\t"), std::string::npos);
    EXPECT_TRUE(one[1].ends_with("\t19.3\t-"));
}

TEST(Batch, GoodAndBadRowsMixed) {
    const auto outcome = Batch(
        "material,temperature,length,install\n"
        "0,150,1000\n"
        "\"奥氏体钢\",900,1\n"
        "7,abc,1\n"
        "0,200,1000,100\n"
        "1,2\n"
        "\"Cr25Ni20\",-100,\"1,5\"\n"
        "5, 300 ,1e3,20\n");
    EXPECT_EQ(outcome.status, 1);
    const std::string header =
        "material,temperature,length,install,coefficient,install_coefficient,expansion,mm_per_m,"
        "final_length,cold,cold_expansion,movement,error";
    const std::string badTemperature =
        "7,abc,1,,,,,,,,,,\"第4行: 温度无效: \"\"abc\"\" (应为整摄氏度数, 该材料为 -200 ~ 700 "
        "摄氏度)\"";
    const std::vector<std::string> expected = {
        header,
        "0,150,1000,20,11.85,10.9,1.5405,1.5405,1001.541,,,,",
        "奥氏体钢,900,1,,,,,,,,,,第3行: 温度超过范围: 900 摄氏度不在 -200 ~ 800 摄氏度之内",
        badTemperature,
        "0,200,1000,100,12.2,11.5,1.276,1.276,1001.276,,,,",
        "1,2,,,,,,,,,,,第6行: 应有3或4列",
        "Cr25Ni20,-100,\"1,5\",,,,,,,,,,\"第7行: 长度无效: \"\"1,5\"\" (应为数值)\"",
        "5,300,1000,20,25.4,22.1,7.112,7.112,1007.112,,,,",
    };
    std::string joined;
    for (const auto& line : expected) joined += line + "\n";
    EXPECT_EQ(outcome.out, joined);
}

// A line list's 管线号 and 说明 come back first on every row, good or refused, as written.
TEST(Batch, ARowsLineNumberAndDescriptionComeBackFirst) {
    const auto outcome = Batch(
        "说明,material,temperature,管线号,length\n"
        "\"主管, 至 A2\",0,150,P-101,1000\n"
        ",0,abc,P-102,1000\n"
        "末段,0,150\n");
    EXPECT_EQ(outcome.status, 1);
    const std::vector<std::string> expected = {
        "line,description,material,temperature,length,install,coefficient,install_coefficient,"
        "expansion,mm_per_m,final_length,cold,cold_expansion,movement,error",
        "P-101,\"主管, 至 A2\",0,150,1000,20,11.85,10.9,1.5405,1.5405,1001.541,,,,",
        "P-102,,0,abc,1000,,,,,,,,,,\"第3行: 温度无效: \"\"abc\"\" (应为整摄氏度数, 该材料为 -200 "
        "~ "
        "700 摄氏度)\"",
        ",末段,0,150,,,,,,,,,,,第4行: 应有5列",
    };
    std::string joined;
    for (const auto& line : expected) joined += line + "\n";
    EXPECT_EQ(outcome.out, joined);
}

TEST(Batch, FileLevelFailures) {
    struct Case {
        std::string input;
        int status;
        const char* out;
        const char* err;
    };
    const std::string header =
        "material,temperature,length,install,coefficient,install_coefficient,expansion,mm_per_m,"
        "final_length,cold,cold_expansion,movement,error\n";
    const Case cases[] = {
        {"", 1, "", "CSV 文件为空"},
        {"material,temperature,length\n", 0, header.c_str(), ""},
        {"material,temperature,length", 0, header.c_str(), ""},
        {"a,b\n0,150,1000\n", 1, "", "第1行: 表头应为"},
        {"a,b\n0,150,1000\n", 1, "", "velmarith-calc: 第1行"},
    };
    for (const auto& c : cases) {
        const auto outcome = Batch(c.input);
        EXPECT_EQ(outcome.status, c.status) << c.input;
        EXPECT_EQ(outcome.out, c.out) << c.input;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
    }
}

TEST(Batch, OverlongFieldsAreRowErrorsNotMemory) {
    std::string input = "material,temperature,length\n0,150," + std::string(20000, '1') + "\n";
    input += "0,150,1000\n";
    const auto outcome = Batch(input);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("第2行: 字段过长"), std::string::npos);
    EXPECT_NE(outcome.out.find("0,150,1000,20,11.85"), std::string::npos);
    // An unterminated quote that runs on is cut off, not buffered.
    const auto runaway = Batch("material,temperature,length\n0,150,\"" + std::string(100000, '1'));
    EXPECT_EQ(runaway.status, 1);
}

// Rows whose every line must come out: more than one 64 KiB read of them.
std::string ValidRows(int count) {
    std::string rows;
    for (int i = 0; i < count; ++i) rows += "0,150,1000\n";
    return rows;
}

int ComputedRows(const std::string& out) {
    int count = 0;
    for (auto at = out.find("\n0,150,1000,20,11.85,"); at != std::string::npos;
         at = out.find("\n0,150,1000,20,11.85,", at + 1)) {
        ++count;
    }
    return count;
}

TEST(Batch, ABadRecordCostsNoOtherRowAndNamesItsPhysicalLine) {
    struct Case {
        const char* what;
        std::string badPart;  // lines 2 .. between the header and the valid rows
        const char* error;    // the error row, which must name the bad record's first line
    };
    const Case cases[] = {
        {"a blank line before a bad row", "0,150,1000\n\n0,abc,1\n", "第4行: 温度无效"},
        {"a quoted field over two lines", "\"0\",150,\"10\n00\"\n0,abc,1\n", "第4行: 温度无效"},
        {"text after a closing quote", "0,100,\"1000\"mm\n", "第2行: 引号使用有误"},
        {"a 16,500-character field", "0,150," + std::string(16500, '1') + "\n", "第2行: 字段过长"},
        {"more fields than the header", "0,150,1000,20\n", "第2行: 列数多于表头"},
    };
    for (const auto& c : cases) {
        const auto outcome = Batch("material,temperature,length\n" + c.badPart + ValidRows(10000));
        EXPECT_EQ(outcome.status, 1) << c.what;
        EXPECT_NE(outcome.out.find(c.error), std::string::npos) << c.what << "\n"
                                                                << outcome.out.substr(0, 400);
        EXPECT_GE(ComputedRows(outcome.out), 10000) << c.what;
        EXPECT_EQ(outcome.err, "") << c.what;
    }
}

TEST(Batch, WideRowStaysWithinTheMemoryBound) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own bookkeeping is not the batch's memory";
#else
    std::FILE* in = std::tmpfile();
    ASSERT_NE(in, nullptr);
    std::fputs("material,temperature,length\n0,150,1000", in);
    const std::string commas(1 << 20, ',');
    for (int i = 0; i < 30; ++i) std::fwrite(commas.data(), 1, commas.size(), in);
    std::fputs("\n0,150,1000\n", in);
    std::rewind(in);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    Capture out, err;
    EXPECT_EQ(RunBatch(in, out.file(), err.file()), 1);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::fclose(in);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 * 1024) << "kB of peak memory";
    EXPECT_NE(out.Text().find("第2行: 列数多于表头"), std::string::npos);
    EXPECT_EQ(ComputedRows(out.Text()), 1);
#endif
}

TEST(Batch, SpreadsheetEncodingsComeBackAsTheyCame) {
    const std::string utf8Rows = "material,temperature,length\n奥氏体钢,150,1000\n铝,abc,1\n";
    // The same rows as Excel saves them on a Chinese Windows (GBK): 奥氏体钢 and 铝.
    const std::string gbkRows =
        "material,temperature,length\n\xB0\xC2\xCA\xCF\xCC\xE5\xB8\xD6,150,1000\n"
        "\xC2\xC1,abc,1\n";
    struct Case {
        const char* what;
        std::string input;
        std::optional<TextEncoding> forced;
        std::string expectStart;  // the output's first bytes
        std::string errorRow;     // the second row, its name and message in the input's encoding
        std::string resultRow;    // the first row's start: the material as written, unchanged
    };
    const std::string gbkName = "\xB0\xC2\xCA\xCF\xCC\xE5\xB8\xD6";
    const std::string header = "material,temperature,length,install,";
    const Case cases[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8Rows, std::nullopt,
         "\xEF\xBB\xBF" + header, "铝,abc,1,,,,,,,,,,", "\n奥氏体钢,150,1000,20,17,"},
        {"plain UTF-8", utf8Rows, std::nullopt, header, "铝,abc,1,,,,,,,,,,",
         "\n奥氏体钢,150,1000,20,17,"},
        {"GBK, detected", gbkRows, std::nullopt, header, "\xC2\xC1,abc,1,,,,,,,,,,\"\xB5\xDA",
         "\n" + gbkName + ",150,1000,20,17,"},
        {"GBK, forced", gbkRows, TextEncoding::Gb18030, header, "\xC2\xC1,abc,1,,,,,,,,,,",
         "\n" + gbkName + ",150,1000,20,17,"},
    };
    for (const auto& c : cases) {
        BatchOptions options;
        options.encoding = c.forced;
        const auto outcome = Batch(c.input, options);
        EXPECT_TRUE(outcome.out.starts_with(c.expectStart)) << c.what;
        EXPECT_NE(outcome.out.find(c.resultRow), std::string::npos) << c.what;
        EXPECT_NE(outcome.out.find(c.errorRow), std::string::npos) << c.what;
    }
    // GBK bytes read as forced UTF-8: a row error naming the row, not a garbled name.
    BatchOptions utf8;
    utf8.encoding = TextEncoding::Utf8;
    const auto garbled = Batch(gbkRows, utf8);
    EXPECT_NE(garbled.out.find("第2行: 第1列不是有效的 UTF-8 文本"), std::string::npos)
        << garbled.out;
}

TEST(Batch, AnOptionalFigureThatDoesNotFitCostsOnlyItself) {
    const auto outcome = Batch("material,temperature,length\n5,300,3.4e38\n");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find(
                  "\n5,300,3.4E+38,20,25.4,22.1,2.41808E+36,7.112,,,,,第2行: 膨胀后长度超出范围\n"),
              std::string::npos)
        << outcome.out;
    auto options = Options("5", "300", "3.4e38");
    const auto window = OneShot(options);
    EXPECT_EQ(window.status, 0) << window.err;
    EXPECT_EQ(window.out, WindowOutput(5, "300", "3.4e38"));
    options.output.finalLength = true;
    options.output.rate = true;
    const auto asked = OneShot(options);
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.out, WindowOutput(5, "300", "3.4e38") + "  每米膨胀量为: 7.112mm/m\n" +
                             "  膨胀后长度为: 超出单精度范围\n");
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"a,b", "\"a,b\""},
        {"say \"x\"", "\"say \"\"x\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"", ""},
        {"铝", "铝"},
    };
    for (const auto& [field, expected] : cases) {
        std::string out;
        AppendCsvField(out, field);
        EXPECT_EQ(out, expected);
    }
}

TEST(Batch, TheLinesInputsByOptionAddTheirColumnsInUsUnits) {
    BatchOptions options;
    options.units = Units::Us;
    options.defaults[RequestField::JointMovement] = "2";
    options.defaults[RequestField::JointStiffness] = "5255";
    options.defaults[RequestField::JointArea] = "126";
    options.defaults[RequestField::Pressure] = "200";
    const auto outcome =
        Batch("material,temperature,length,od,wall\n0,400,1200,4.5,0.237\n", options);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const auto header = outcome.out.substr(0, outcome.out.find('\n'));
    const auto cells = [](const std::string& line) {
        std::vector<std::string> split;
        std::size_t start = 0;
        for (std::size_t at = line.find(','); at != std::string::npos; at = line.find(',', start)) {
            split.push_back(line.substr(start, at - start));
            start = at + 1;
        }
        split.push_back(line.substr(start));
        return split;
    };
    const auto names = cells(header);
    const auto row = cells(outcome.out.substr(
        header.size() + 1, outcome.out.find('\n', header.size() + 1) - header.size() - 1));
    ASSERT_EQ(names.size(), row.size());
    const auto at = [&](const std::string& name) {
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? std::string("(none)")
                                    : row[std::size_t(found - names.begin())];
    };
    EXPECT_EQ(at("joint_stiffness_lbf_per_in"), "5255");
    EXPECT_EQ(at("joint_area_in2"), "126");
    EXPECT_EQ(at("pressure_psi"), "200");
    EXPECT_EQ(at("friction"), "0.3");
    EXPECT_EQ(at("pressure_thrust_lbf"), "25200");
    EXPECT_EQ(at("first_guide_in"), "18");
    EXPECT_EQ(at("second_guide_in"), "63");
    EXPECT_EQ(at("friction_force_lbf"), "");  // no weight given
    EXPECT_EQ(at("error"), "");
}

}  // namespace
}  // namespace velmarith::tool
