// `quorlin sets`, `quorlin colors` and `quorlin separate --set auto`.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

QJsonDocument Parse(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  return doc;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliColorSets, SetsAndColorsAreListed) {
  CliRun run = Run_Quorlin({"sets"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> sets = Lines(run.out);
  ASSERT_EQ(sets.size(), 16u);
  EXPECT_EQ(sets[12], "12  2 Grays            Gray 4, Gray 8");
  EXPECT_EQ(sets[7], " 7  Quad Vermillion    Vermillion, Sap Green, Cerulean Blue, Magenta");

  run = Run_Quorlin({"sets", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonArray array = Parse(run.out).array();
  ASSERT_EQ(array.size(), 16);
  EXPECT_EQ(array[9].toObject()["name"].toString(), "10 Grays");
  EXPECT_EQ(array[9].toObject()["repeats"].toBool(), true);
  EXPECT_EQ(array[9].toObject()["colors"].toArray().size(), 10);
  EXPECT_EQ(array[0].toObject()["colors"].toArray()[9].toString(), "Cobalt Blue");

  run = Run_Quorlin({"colors"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> colors = Lines(run.out);
  ASSERT_EQ(colors.size(), 33u);
  // Value 255 and saturation 45 of 255: the smallest component is 210 (D2).
  EXPECT_EQ(colors[0], "Vermillion            #FFD2D2  sets 0 1 2 4 7 13 14");
  EXPECT_EQ(colors[28], "Gray 10               #848484  sets 9 10");

  run = Run_Quorlin({"colors", "--set", "12", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonArray grays = Parse(run.out).array();
  ASSERT_EQ(grays.size(), 2);
  const QJsonObject gray8 = grays[1].toObject();
  EXPECT_EQ(gray8["name"].toString(), "Gray 8");
  EXPECT_EQ(gray8["index"].toInt(), 27);
  EXPECT_EQ(gray8["rgb"].toString(), "#B6B6B6");
  EXPECT_EQ(gray8["sets"].toArray(), (QJsonArray{9, 12}));

  run = Run_Quorlin({"colors", "--set", "16"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(
      run.err,
      "quorlin colors: --set takes a whole number from 0 to 15\nusage: quorlin colors [--set N] [--json]\n");
  run = Run_Quorlin({"sets", "x"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "quorlin sets: sets takes no PHOTO or other word\nusage: quorlin sets [--json]\n");
}

TEST(CliColorSets, AutoSetIsTheArgminAndGivesTheResultOfThatSet) {
  TempDir dir;
  const std::string photo = Sample_Path("chelsea.png");
  CliRun run = Run_Quorlin({"separate", photo, "-o", dir.File("auto.png"), "--set", "auto", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject choice = Parse(run.out).object()["colorSet"].toObject();
  const QJsonArray scores = choice["scores"].toArray();
  ASSERT_EQ(scores.size(), 16);
  int best = 0;
  for (int set = 0; set < 16; ++set) {
    EXPECT_EQ(scores[set].toObject()["set"].toInt(), set);
    if (scores[set].toObject()["meanDeltaE"].toDouble() < scores[best].toObject()["meanDeltaE"].toDouble())
      best = set;
  }
  EXPECT_EQ(choice["chosen"].toInt(), best);
  EXPECT_EQ(choice["metric"].toString(), "CIE76");
  EXPECT_EQ(choice["trialWidth"].toInt(), 200);
  EXPECT_EQ(choice["trialHeight"].toInt(), 133);

  run = Run_Quorlin({"separate", photo, "-o", dir.File("hand.png"), "--set", std::to_string(best)});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Read_File_Bytes(dir.File("auto.png")), Read_File_Bytes(dir.File("hand.png")));

  run = Run_Quorlin({"separate", photo, "-o", dir.File("auto.png"), "--set", "auto"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines[0].rfind("set auto: chose " + std::to_string(best) + " (", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("(CIE76 at 200 x 133)"), std::string::npos) << lines[0];
  EXPECT_EQ(Read_File_Bytes(dir.File("auto.png")), Read_File_Bytes(dir.File("hand.png")));
}

}  // namespace
