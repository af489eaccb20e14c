#include "editor/element_fields.h"

#include <gtest/gtest.h>

#include "foundation/qsim_error.h"

namespace qsim {
namespace {

const NumberFormat kComma{','};

TEST(ElementFieldsTest, AnUnusedGeneratorSlotOpensEmpty) {
  const GeneratorFields fields = FieldsOf(GeneratorRecord{}, kComma);
  EXPECT_EQ(fields.la, "0");
  EXPECT_EQ(fields.distribution, 0);
  EXPECT_EQ(fields.disp, "0");
  EXPECT_EQ(fields.prior, "0");
  EXPECT_EQ(fields.name, "");
}

TEST(ElementFieldsTest, RealsUseTheDecimalSeparatorAndLawsOutsideTheListShowNone) {
  DeviceRecord d;
  d.v = 0.5;
  d.rasp = 9;
  const DeviceFields fields = FieldsOf(d, kComma);
  EXPECT_EQ(fields.v, "0,5");
  EXPECT_EQ(fields.distribution, -1);
}

TEST(ElementFieldsTest, GeneratorOrdersDecideWhatABadFieldKeeps) {
  GeneratorRecord g;
  g.name.assign("old");
  GeneratorFields fields{"x", 3, "0,5", "2", "new"};
  EXPECT_THROW(StoreFields(g, fields, FieldOrder::Placement, kComma), QsimError);
  EXPECT_EQ(g.name.view(), "old");
  EXPECT_THROW(StoreFields(g, fields, FieldOrder::DoubleClick, kComma), QsimError);
  EXPECT_EQ(g.name.view(), "new");  // a bad intensity still renames the generator
  fields.la = "4";
  fields.name = "abcdefghijklmnopqrstuvwxyz01234";
  StoreFields(g, fields, FieldOrder::Placement, kComma);
  EXPECT_EQ(g.la, 4);
  EXPECT_EQ(g.rasp, 3);
  EXPECT_EQ(g.disp, 0.5);
  EXPECT_EQ(g.prior, 2);
  EXPECT_EQ(g.name.view(), "abcdefghijklmnopqrstuvwxy");
}

TEST(ElementFieldsTest, ATypedLawIsRefused) {
  GeneratorRecord g;
  g.rasp = 2;
  EXPECT_THROW(StoreFields(g, {"1", -1, "0", "0", "n"}, FieldOrder::Placement, kComma), QsimError);
  EXPECT_EQ(g.rasp, 2);
  EXPECT_EQ(g.la, 1);  // stored before the law
}

TEST(ElementFieldsTest, QueueDisciplineIsKeptWhenNoButtonIsChecked) {
  QueueRecord q;
  q.discip = 2;
  EXPECT_EQ(FieldsOf(q).discipline, 2);
  StoreFields(q, {"7", std::nullopt, "Q"});
  EXPECT_EQ(q.discip, 2);
  EXPECT_EQ(q.len, 7);
  q.discip = 9;
  EXPECT_FALSE(FieldsOf(q).discipline);
  StoreFields(q, {"7", 1, "Q"});
  EXPECT_EQ(q.discip, 1);
}

TEST(ElementFieldsTest, DeviceFieldsInTheirOrder) {
  DeviceRecord d;
  EXPECT_THROW(StoreFields(d, {"1,5", "bad", 4, "3", "D"}, kComma), QsimError);
  EXPECT_EQ(d.name.view(), "D");
  EXPECT_EQ(d.v, 1.5);
  EXPECT_EQ(d.k, 0);
  StoreFields(d, {"1,5", "0,1", 4, "3", "D"}, kComma);
  EXPECT_EQ(d.rasp, 4);
  EXPECT_EQ(d.k, 3);
}

}  // namespace
}  // namespace qsim
