#include "commands/model_document.h"

#include <gtest/gtest.h>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

class ModelDocumentTest : public ::testing::Test {
 protected:
  // Reads and rewrites the lines in canonical form, as the compute command does
  // when it only parses.
  void Read(const Lines& typed) {
    document_.SetLines(typed);
    document_.ReadText([this](Lines& lines) {
      ReadModelText(lines, document_.store(), document_.format());
      lines = WriteModelText(document_.store(), document_.format());
    });
  }
  void PlaceQueue(int slot, int len) {
    QueueRecord& queue = document_.store().queue(slot);
    queue.exists = true;
    queue.len = len;
  }

  ModelDocument document_{NumberFormat{','}};
};

// One commit is one step, named as given; undo and redo put store and text back.
TEST_F(ModelDocumentTest, CommitEditRecordsOneStepThatUndoAndRedoPutBack) {
  Read({"queue 1;", "len 3;"});
  const Lines before = document_.lines();
  PlaceQueue(2, 5);
  document_.CommitEdit("placing");
  EXPECT_NE(document_.lines(), before);
  EXPECT_EQ(document_.UndoName(), "placing");
  EXPECT_FALSE(document_.CanRedo());
  document_.CommitEdit("nothing changed");  // same text: no step
  EXPECT_EQ(document_.UndoName(), "placing");

  document_.Undo();
  EXPECT_EQ(document_.lines(), before);
  EXPECT_FALSE(document_.store().queue(2).exists);
  EXPECT_EQ(document_.RedoName(), "placing");
  document_.Redo();
  EXPECT_TRUE(document_.store().queue(2).exists);
  EXPECT_EQ(document_.store().queue(2).len, 5);
}

// The clean state is the saved text: an edit leaves it, undo comes back to it.
TEST_F(ModelDocumentTest, TheSavedTextIsCleanAgainAfterUndo) {
  Read({"queue 1;", "len 3;"});
  document_.MarkSaved();
  PlaceQueue(2, 5);
  document_.CommitEdit("placing");
  EXPECT_TRUE(document_.IsModified());
  document_.Undo();
  EXPECT_FALSE(document_.IsModified());
}

// A typed text is taken in by the next reading, as a step of its own, before
// anything is regenerated from the store.
TEST_F(ModelDocumentTest, ATypedTextIsReadBeforeTheStoreIsWrittenBack) {
  Read({"queue 1;", "len 3;"});
  document_.SetLines({"queue 4;", "len 2;"});
  EXPECT_TRUE(document_.HasUntakenText());
  EXPECT_EQ(Cp1251ToUtf8(document_.UndoName()), "изменение текста модели");
  EXPECT_FALSE(document_.CanRedo());
  Read(document_.lines());
  EXPECT_FALSE(document_.HasUntakenText());
  EXPECT_TRUE(document_.store().queue(4).exists);
  EXPECT_FALSE(document_.store().queue(1).exists);
}

// After a failed reading the lines are all there is of the model: they stay
// through a commit, and the next successful reading ends the failure.
TEST_F(ModelDocumentTest, AFailedReadingKeepsItsLinesUntilTheTextReadsAgain) {
  const Lines bad = {"queue 1;", "len x;"};
  EXPECT_THROW(Read(bad), QsimError);
  EXPECT_EQ(document_.failed_line(), 2);
  EXPECT_EQ(document_.lines(), bad);
  document_.CommitEdit("edit of a half-read store");
  EXPECT_EQ(document_.lines(), bad);
  Read({"queue 1;", "len 4;"});
  EXPECT_EQ(document_.failed_line(), 0);
  PlaceQueue(2, 1);
  document_.CommitEdit("placing");
  EXPECT_NE(document_.lines(), bad);
}

}  // namespace
}  // namespace qsim
