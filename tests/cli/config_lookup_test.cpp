// Where vorel-convert finds its language pack: an explicit directory alone,
// else beside the program, else the installed ../share/vorel.
#include "cli/config_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scratch_dir.h"

namespace vorel::cli {
namespace {

namespace fs = std::filesystem;

class ConfigLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_.path() / "prefix" / "bin");
    fs::create_directories(root_.path() / "prefix" / "share" / "vorel");
    fs::create_directories(root_.path() / "mine");
  }
  static std::string dir(const fs::path& p) { return (p / "").string(); }
  static void add_pack(const fs::path& p) { clitest::write(p / "config.ini", "[C]\n"); }

  std::string bin() const { return dir(root_.path() / "prefix" / "bin"); }
  std::string share() const { return dir(root_.path() / "prefix" / "share" / "vorel"); }
  std::string mine() const { return dir(root_.path() / "mine"); }

  clitest::ScratchDir root_;
};

TEST_F(ConfigLookup, BesideTheProgramComesBeforeTheInstalledPack) {
  add_pack(share());
  auto places = config_places(nullptr, nullptr, bin());
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].dir, bin());
  EXPECT_EQ(places[1].dir, share());
  ASSERT_NE(find_config(places), nullptr);
  EXPECT_EQ(find_config(places)->dir, share());

  add_pack(bin());
  EXPECT_EQ(find_config(places)->dir, bin());
  // An empty variable counts as unset.
  EXPECT_EQ(config_places(nullptr, "", bin()).size(), 2u);
}

TEST_F(ConfigLookup, AnExplicitDirectoryIsTheOnlyPlace) {
  add_pack(bin());
  const std::string option = (root_.path() / "mine").string();  // no trailing separator
  const std::string env = mine();

  auto places = config_places(&option, env.c_str(), bin());
  ASSERT_EQ(places.size(), 1u);
  EXPECT_EQ(places[0].dir, mine());
  EXPECT_EQ(places[0].why, "--config-dir");
  EXPECT_EQ(find_config(places), nullptr);  // not the pack beside the program

  places = config_places(nullptr, env.c_str(), bin());
  ASSERT_EQ(places.size(), 1u);
  EXPECT_EQ(places[0].why, CONFIG_DIR_VARIABLE);
  add_pack(mine());
  EXPECT_NE(find_config(places), nullptr);
}

TEST_F(ConfigLookup, AMissingPackNamesEveryPlaceTried) {
  auto places = config_places(nullptr, nullptr, bin());
  EXPECT_EQ(find_config(places), nullptr);
  const std::string m = missing_pack_message(places);
  EXPECT_NE(m.find("config.ini"), std::string::npos) << m;
  EXPECT_NE(m.find(bin()), std::string::npos) << m;
  EXPECT_NE(m.find(share()), std::string::npos) << m;
  // A directory named config.ini is no pack.
  fs::create_directories(root_.path() / "prefix" / "bin" / "config.ini");
  EXPECT_EQ(find_config(places), nullptr);
}

}  // namespace
}  // namespace vorel::cli
