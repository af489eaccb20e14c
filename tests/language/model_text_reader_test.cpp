#include "language/model_text_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_writer.h"
#include "language/text_file.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

class ReaderTest : public ::testing::Test {
 protected:
  // Reads the lines under a decimal comma and returns them as the reader left them.
  Lines Read(Lines lines) {
    ReadModelText(lines, *store_, NumberFormat{','});
    return lines;
  }

  // Reads lines that must fail; returns the error.
  QsimError ReadError(Lines lines) {
    try {
      ReadModelText(lines, *store_, NumberFormat{','});
    } catch (const QsimError& error) {
      return error;
    }
    ADD_FAILURE() << "reading succeeded";
    return QsimError("");
  }

  GeneratorRecord& g(int slot) { return store_->generator(slot); }
  QueueRecord& q(int slot) { return store_->queue(slot); }
  DeviceRecord& d(int slot) { return store_->device(slot); }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
};

TEST_F(ReaderTest, GeneratorBlockWithOneTransition) {
  Read({"generator 1;", "name src;", "la 2;", "transfer 1;", "1 queue 1;"});
  EXPECT_TRUE(g(1).exists);
  EXPECT_EQ(g(1).name.view(), "src");
  EXPECT_EQ(g(1).la, 2);
  EXPECT_EQ(g(1).transfer, 1);
  EXPECT_EQ(g(1).transitions[1].prob, 1);
  EXPECT_EQ(g(1).transitions[1].kind, TargetKind::Queue);
  EXPECT_EQ(g(1).transitions[1].index, 1);
}

TEST_F(ReaderTest, AllFieldsOfAllBlocksAndTheModelLevel) {
  Read({"queue 7;",
        "name Q;",
        "xc -5;",
        "yc 6;",
        "len 12;",
        "discip plifo;",
        "transfer 1;",
        "0,25 device 40;",
        "device 40;",
        "name D;",
        "k 3;",
        "v 1,5;",
        "disp 0,1;",
        "rasp 2;",
        "transfer 2;",
        "0,3 terminator;",
        "0,7 queue 7;",
        "generator 3;",
        "prior -2;",
        "disp 2E-3;",
        "rasp 259;",
        "term_crd 400 -50;",
        "process_all 0,5;",
        "by_time 60;"});
  EXPECT_EQ(q(7).xc, -5);
  EXPECT_EQ(q(7).yc, 6);
  EXPECT_EQ(q(7).len, 12);
  EXPECT_EQ(q(7).discip, kPriorityLifo);
  EXPECT_EQ(q(7).transitions[1].kind, TargetKind::Device);
  EXPECT_EQ(q(7).transitions[1].prob, 0.25);
  EXPECT_EQ(q(7).transitions[1].index, 40);
  EXPECT_EQ(d(40).k, 3);
  EXPECT_EQ(d(40).v, 1.5);
  EXPECT_EQ(d(40).disp, 0.1);
  EXPECT_EQ(d(40).rasp, 2);
  EXPECT_EQ(d(40).transitions[1].kind, TargetKind::Terminator);
  EXPECT_EQ(d(40).transitions[1].index, 1);
  EXPECT_EQ(d(40).transitions[1].prob, 0.3);
  EXPECT_EQ(d(40).transitions[2].kind, TargetKind::Queue);
  EXPECT_EQ(d(40).transitions[2].index, 7);
  EXPECT_EQ(g(3).prior, -2);
  EXPECT_EQ(g(3).disp, 0.002);
  EXPECT_EQ(g(3).rasp, 3);  // the low byte of 259
  EXPECT_EQ(store_->term_x, 400);
  EXPECT_EQ(store_->term_y, -50);
  EXPECT_TRUE(store_->settings.process_all);
  EXPECT_EQ(store_->settings.retry_interval, 0.5);
  EXPECT_TRUE(store_->settings.by_time);
  EXPECT_EQ(store_->settings.end_time, 60);
}

TEST_F(ReaderTest, KeywordsAreCaseSensitiveAndUntrimmed) {
  Read({"Generator 1;", " generator 2;", "generator\t3;", "queue 4;", "discip FIFO;"});
  EXPECT_FALSE(g(1).exists);
  EXPECT_FALSE(g(2).exists);
  EXPECT_FALSE(g(3).exists);
  EXPECT_EQ(q(4).discip, kFifo);
  Read({"queue 4;", "discip lifo;", "queue 4;", "discip FIFO;"});
  EXPECT_EQ(q(4).discip, kLifo);
}

TEST_F(ReaderTest, PlusRuleShortensTheLineInPlace) {
  const Lines after = Read({"generator 1;", "xc 10;+", "yc 10+", "+", "name a+"});
  EXPECT_EQ(g(1).xc, 10);
  EXPECT_EQ(g(1).yc, 1);
  EXPECT_EQ(g(1).name.view(), "");
  EXPECT_EQ(after, (Lines{"generator 1;", "xc 10", "yc 1", "+", "name "}));
}

TEST_F(ReaderTest, EmptyTokensAreErrors) {
  EXPECT_EQ(ReadError({"term_crd 10;"}).message(), "'' is not a valid integer value");
  EXPECT_EQ(ReadError({"generator 1;", "xc  10;"}).message(), "'' is not a valid integer value");
  EXPECT_EQ(ReadError({"by_time;"}).message(), "'' is not a valid floating point value");
}

TEST_F(ReaderTest, NamesEndAtASpaceAndKeep25Characters) {
  Read({"device 2;", "name two words;", "queue 3;", "name abcdefghijklmnopqrstuvwxyz01;"});
  EXPECT_EQ(d(2).name.view(), "two");
  EXPECT_EQ(q(3).name.view(), "abcdefghijklmnopqrstuvwxy");
}

TEST_F(ReaderTest, TransferModeSwallowsOtherHeadersAndKeywords) {
  // In a generator block only `generator` still opens a block.
  QsimError error = ReadError({"generator 1;", "transfer 2;", "1 queue 1;", "queue 1;"});
  EXPECT_EQ(error.message(), "'queue' is not a valid floating point value");
  EXPECT_EQ(error.line(), 4);
  EXPECT_EQ(ReadError({"generator 1;", "transfer 1;", "simulate 5;"}).message(),
            "'simulate' is not a valid floating point value");
  // In a queue block `generator` and `queue` still open blocks, `device` does not.
  Read({"queue 1;", "transfer 2;", "generator 2;"});
  EXPECT_TRUE(g(2).exists);
  EXPECT_EQ(ReadError({"queue 1;", "transfer 1;", "device 1;"}).message(),
            "'device' is not a valid floating point value");
  // Keywords of the block are still keywords while transitions are pending.
  Read({"device 1;", "transfer 1;", "k 4;", "1 terminator;"});
  EXPECT_EQ(d(1).k, 4);
  EXPECT_EQ(d(1).transitions[1].kind, TargetKind::Terminator);
}

TEST_F(ReaderTest, AHeaderBeforeAllTransitionsKeepsTheCountAndOldEntries) {
  Read({"generator 1;", "transfer 2;", "0,5 queue 3;", "0,9 queue 77;", "generator 1;",
        "transfer 2;", "0,5 queue 3;", "generator 2;"});
  EXPECT_EQ(g(1).transfer, 2);
  EXPECT_EQ(g(1).transitions[1].index, 3);
  EXPECT_EQ(g(1).transitions[2].index, 77);
  EXPECT_EQ(g(1).transitions[2].prob, 0.9);
}

TEST_F(ReaderTest, SurplusTransitionLinesAndForeignKeywordsAreIgnored) {
  Read({"generator 1;", "transfer 1;", "1 queue 2;", "1 queue 3;", "len 5;", "k 3;"});
  EXPECT_EQ(g(1).transfer, 1);
  EXPECT_EQ(g(1).transitions[1].index, 2);
  EXPECT_EQ(g(1).transitions[2].index, 0);
  EXPECT_EQ(q(1).len, 0);
}

TEST_F(ReaderTest, TransitionTargetWordsDecideTheKind) {
  Read({"generator 1;", "transfer 1;", "0,5 device 4;", "queue 1;", "transfer 1;", "0,5 queue 5;",
        "device 1;", "transfer 1;", "0,1 queue 9;", "device 1;", "transfer 1;",
        "0,5 generator 6;"});
  EXPECT_EQ(g(1).transitions[1].kind, TargetKind::None);  // unchanged
  EXPECT_EQ(g(1).transitions[1].index, 4);
  EXPECT_EQ(q(1).transitions[1].kind, TargetKind::None);
  EXPECT_EQ(q(1).transitions[1].index, 5);
  EXPECT_EQ(d(1).transitions[1].prob, 0.5);  // kind and index unchanged
  EXPECT_EQ(d(1).transitions[1].kind, TargetKind::Queue);
  EXPECT_EQ(d(1).transitions[1].index, 9);
}

TEST_F(ReaderTest, TerminatorTransitionDoesNotReadToken3) {
  Read({"device 1;", "transfer 1;", "0,3 terminator;"});
  EXPECT_EQ(d(1).transitions[1].prob, 0.3);
  EXPECT_EQ(d(1).transitions[1].kind, TargetKind::Terminator);
  EXPECT_EQ(d(1).transitions[1].index, 1);
}

TEST_F(ReaderTest, SlotZeroMarksNothingAndItsLinesAreIgnored) {
  Read({"generator 1;", "la 3;", "generator 0;", "la 9;", "transfer 1;", "1 queue 1;"});
  EXPECT_TRUE(g(1).exists);
  EXPECT_EQ(g(1).la, 3);
  EXPECT_EQ(g(1).transfer, 0);
}

TEST_F(ReaderTest, ModelLevelLinesCloseTheBlock) {
  Read({"generator 1;", "la 2;", "simulate 10;", "la 5;", "by_time 2,5;", "simulate 7;"});
  EXPECT_EQ(g(1).la, 2);
  EXPECT_FALSE(store_->settings.by_time);
  EXPECT_EQ(store_->settings.simulate, 7);
  EXPECT_EQ(store_->settings.end_time, 2.5);
}

TEST_F(ReaderTest, SettingsNotNamedByTheTextKeepTheirValues) {
  store_->settings.simulate = 42;
  store_->settings.by_time = true;
  store_->settings.end_time = 9;
  Read({"generator 1;"});
  EXPECT_EQ(store_->settings.simulate, 42);
  EXPECT_TRUE(store_->settings.by_time);
  EXPECT_EQ(store_->settings.end_time, 9);
  EXPECT_FALSE(store_->settings.process_all);
}

TEST_F(ReaderTest, ReadingClearsExistsAndAFreshBlockStartsFromInitialValues) {
  Read({"queue 5;", "len 9;", "discip lifo;", "transfer 1;", "1 device 2;"});
  q(5).stats.entries = 3;  // a statistic of the last run
  Read({"device 1;"});
  EXPECT_FALSE(q(5).exists);
  EXPECT_EQ(q(5).len, 9);
  Read({"queue 5;", "name q;", "queue 5;"});  // the second header continues the element
  EXPECT_EQ(q(5).name.view(), "q");
  EXPECT_EQ(q(5).len, 0);
  EXPECT_EQ(q(5).discip, kFifo);
  EXPECT_EQ(q(5).transfer, 0);
  EXPECT_EQ(q(5).transitions[1].kind, TargetKind::None);
  EXPECT_EQ(q(5).stats.entries, 3);
}

// A hand-written text that leaves fields out means the same model whatever was
// read before it.
TEST_F(ReaderTest, AnIncompleteTextReadsTheSameAfterAnyOtherModel) {
  const Lines incomplete = {"generator 1;", "la 2;",       "transfer 1;",   "1 queue 1;",
                            "queue 1;",     "transfer 1;", "1 device 1;",   "device 1;",
                            "v 0,5;",       "transfer 1;", "1 terminator;", "simulate 10;"};
  Read(incomplete);
  const Lines alone = WriteModelText(*store_, NumberFormat{','});
  const Lines earlier[] = {
      {"generator 1;", "rasp 3;", "disp 0,5;", "prior 4;", "name g;", "xc 10;", "queue 1;",
       "len 7;", "discip plifo;", "device 1;", "k 3;", "rasp 2;", "disp 1;", "transfer 2;",
       "0,5 terminator;", "0,5 queue 1;"},
      {"device 1;", "name busy;", "rasp 4;", "generator 1;", "transfer 3;", "0,2 queue 1;",
       "0,3 queue 2;", "0,5 queue 3;"},
  };
  for (const Lines& before : earlier) {
    store_ = std::make_unique<ModelStore>();
    Read(before);
    Read(incomplete);
    EXPECT_EQ(WriteModelText(*store_, NumberFormat{','}), alone);
  }
}

TEST_F(ReaderTest, BlockOrderDoesNotMatter) {
  Read({"queue 1;", "len 3;", "generator 1;", "transfer 1;", "1 queue 1;"});
  EXPECT_TRUE(q(1).exists);
  EXPECT_EQ(q(1).len, 3);
  EXPECT_EQ(g(1).transitions[1].index, 1);
}

// A model written under one locale reads under the other; a token that is no real
// in either form is reported as written.
TEST_F(ReaderTest, RealsReadInEitherDecimalSeparator) {
  struct Case {
    char separator;
    const char* token;
    double value;  // NaN: a conversion error naming the token
  };
  const double kError = std::nan("");
  const Case cases[] = {{',', "0,5", 0.5},       {',', "0.5", 0.5},       {'.', "0,25", 0.25},
                        {'.', "2.5E-3", 2.5e-3}, {',', "2.5E-3", 2.5e-3}, {',', "1,000.5", kError},
                        {'.', "0..5", kError},   {',', "0,,5", kError},   {'.', ",5", 0.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    Lines lines = {"device 1;", std::string("v ") + c.token + ";"};
    if (std::isnan(c.value)) {
      try {
        ReadModelText(lines, *store_, NumberFormat{c.separator});
        ADD_FAILURE() << "read";
      } catch (const QsimError& error) {
        EXPECT_EQ(error.message(),
                  std::string("'") + c.token + "' is not a valid floating point value");
      }
    } else {
      ReadModelText(lines, *store_, NumberFormat{c.separator});
      EXPECT_EQ(d(1).v, c.value);
    }
  }
}

TEST_F(ReaderTest, AConversionErrorKeepsWhatEarlierLinesSet) {
  const QsimError error =
      ReadError({"generator 1;", "la 4;", "prior x;", "la 9;", "queue 2;", "len 3;"});
  EXPECT_EQ(error.message(), "'x' is not a valid integer value");
  EXPECT_EQ(error.line(), 3);
  EXPECT_TRUE(g(1).exists);
  EXPECT_EQ(g(1).la, 4);
  EXPECT_FALSE(q(2).exists);
  EXPECT_EQ(q(2).len, 0);
}

TEST_F(ReaderTest, SlotNumbersOutsideTheTablesAreRefused) {
  for (const char* header : {"generator 151;", "queue -1;", "device 2147483647;"}) {
    const QsimError error = ReadError({"queue 1;", "len 4;", header, "xc 3;"});
    EXPECT_EQ(error.line(), 3);
    EXPECT_NE(error.message().find(" вне диапазона 1..150"_cp), std::string::npos);
    EXPECT_EQ(q(1).len, 4);
  }
  EXPECT_EQ(ReadError({"generator 151;"}).message(), "номер элемента 151 вне диапазона 1..150"_cp);
}

TEST_F(ReaderTest, TransferCountsOutsideTheTablesAreRefused) {
  EXPECT_EQ(ReadError({"device 3;", "transfer 31;"}).message(),
            "число переходов 31 вне диапазона 0..30"_cp);
  EXPECT_EQ(d(3).transfer, 0);
  EXPECT_EQ(ReadError({"device 3;", "transfer -1;"}).line(), 2);
  Read({"device 3;", "transfer 30;"});
  EXPECT_EQ(d(3).transfer, 30);
}

TEST_F(ReaderTest, EmptyTextReadsAsNothing) {
  g(4).exists = true;
  EXPECT_EQ(Read({}), Lines{});
  EXPECT_FALSE(g(4).exists);
}

TEST_F(ReaderTest, GoldenHeaderInsideTransfer) {
  Lines lines = ReadTextLines(QSIM_GOLDEN_DIR "/invalid/header_inside_transfer.txt");
  try {
    ReadModelText(lines, *store_, NumberFormat{'.'});
    FAIL();
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(), "'queue' is not a valid floating point value");
    EXPECT_EQ(error.line(), 5);
  }
  EXPECT_EQ(g(1).la, 2);
  EXPECT_FALSE(q(1).exists);
}

// What a text written from the store would lose: whole lines and the surplus of
// lines; the canonical text and lines of separators lose nothing.
TEST_F(ReaderTest, LinesNotTakenWholeAreNamedByNumber) {
  struct Case {
    Lines text;
    std::vector<int> dropped;
  };
  const Case cases[] = {
      {{"queue 1;", "name My Queue;x", "len 5;", "La 3;", "// note", ""}, {2, 4, 5}},
      {{"queue 1;", "discip fifo;", "discip any;", "name ABCDEFGHIJKLMNOPQRSTUVWXYZ;"}, {3, 4}},
      {{"device 1;", "transfer 2;", "1 terminator;", "0,5 elsewhere 2;", "xc 3; ;"}, {4}},
      {{"generator 0;", "la 2;", "simulate 10;", "term_crd 1 2 3;", " ; "}, {1, 2, 4}},
      {{"generator 1;", "xc 10;", "la x;", "nothing"}, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LinesNotTakenWhole(c.text, NumberFormat{','}), c.dropped) << c.text[1];
  Lines canonical = Read({"generator 1;", "name G;", "transfer 1;", "1 queue 1;", "queue 1;"});
  canonical = WriteModelText(*store_, NumberFormat{','});
  EXPECT_EQ(LinesNotTakenWhole(canonical, NumberFormat{','}), std::vector<int>{});
}

}  // namespace
}  // namespace qsim
