// The sim toolkit's list box: what the program does to it and what the
// user does with it.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/sim_forms.h"

namespace tavrin::sim {
namespace {

using platform::ControlKind;

// Each selection change as the form hears it, with the position the
// window reports at that moment.
struct SelectionEvents : platform::FormEvents {
  platform::FormWindow* window = nullptr;
  std::vector<std::string> heard;
  void OnSelectionChange(std::string_view control) override {
    heard.push_back(std::string(control) + " " +
                    std::to_string(window->ListIndex(control)));
  }
};

struct ListWindow : ::testing::Test {
  ListWindow() { events.window = owned.get(); }

  SimFormsToolkit forms;
  SelectionEvents events;
  std::unique_ptr<platform::FormWindow> owned = forms.Create(
      {"ListFRM",
       "List",
       3000,
       3000,
       platform::FormSkin::kCommands,
       {{"Names", ControlKind::kListBox, {0, 0, 1500, 1500}, ""},
        {"Label", ControlKind::kText, {1500, 0, 1500, 1500}, "text"}}},
      events);
  SimFormWindow& window = *forms.Find("ListFRM");
};

TEST_F(ListWindow, ItemsStayInTheOrderTheyWereAddedAndAreJournaled) {
  EXPECT_TRUE(window.ListItems("Names").empty());
  window.AddListItem("Names", "zeta");
  window.AddListItem("Names", "alpha");
  window.AddListItem("Names", "zeta");
  EXPECT_EQ(window.ListItems("Names"),
            (std::vector<std::string>{"zeta", "alpha", "zeta"}));
  EXPECT_EQ(forms.journal,
            (std::vector<std::string>{"ListFRM item Names zeta",
                                      "ListFRM item Names alpha",
                                      "ListFRM item Names zeta"}));
}

TEST_F(ListWindow, NothingIsSelectedUntilTheUserSelects) {
  window.AddListItem("Names", "a");
  window.AddListItem("Names", "b");
  EXPECT_EQ(window.ListIndex("Names"), -1);
  window.SelectListItem("Names", 1);
  window.SelectListItem("Names", 0);
  window.SelectListItem("Names", -1);
  EXPECT_EQ(events.heard,
            (std::vector<std::string>{"Names 1", "Names 0", "Names -1"}));
  EXPECT_EQ(window.ListIndex("Names"), -1);
}

TEST_F(ListWindow, NoUserSelectsBeyondTheItems) {
  window.AddListItem("Names", "a");
  EXPECT_THROW(window.SelectListItem("Names", 1), std::out_of_range);
  EXPECT_THROW(window.SelectListItem("Names", -2), std::out_of_range);
  EXPECT_TRUE(events.heard.empty());
  EXPECT_EQ(window.ListIndex("Names"), -1);
}

TEST_F(ListWindow, OnlyListBoxesOfTheDesignTakeItems) {
  EXPECT_THROW(window.AddListItem("Label", "a"), std::invalid_argument);
  EXPECT_THROW(window.AddListItem("Nothing", "a"), std::invalid_argument);
  EXPECT_THROW(static_cast<void>(window.ListIndex("Label")),
               std::invalid_argument);
}

TEST_F(ListWindow, AfterTheProgramEndedASelectionReportsNothing) {
  window.AddListItem("Names", "a");
  forms.EndProgram();
  window.SelectListItem("Names", 0);
  EXPECT_TRUE(events.heard.empty());
}

TEST_F(ListWindow, ActivatingIsJournaled) {
  window.Show();
  window.Activate();
  EXPECT_EQ(forms.journal, (std::vector<std::string>{"ListFRM show",
                                                     "ListFRM activate"}));
}

}  // namespace
}  // namespace tavrin::sim
