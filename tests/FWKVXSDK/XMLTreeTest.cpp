#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FWKVXSDK/XMLArray.h"
#include "FWKVXSDK/XMLDict.h"

namespace {

std::vector<std::string> keysOf(const XMLDict& dict)
{
    std::vector<std::string> keys;
    for (const auto& entry : dict) {
        keys.push_back(entry.key);
    }
    return keys;
}

} // namespace

TEST(XMLDict, KeepsFirstInsertionOrderAcrossReplaceAndErase)
{
    XMLDict dict;
    dict.set("b", "1");
    dict.set("a", "2");
    dict.set("c", "3");
    dict.set("b", "4"); // replaced in place, keeps its position
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(*dict.find("b")->string(), "4");

    EXPECT_TRUE(dict.erase("a"));
    EXPECT_FALSE(dict.erase("a"));
    EXPECT_EQ(dict.find("a"), nullptr);
    dict.set("a", "5"); // comes back as the last key
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(dict.size(), 3u);
}

TEST(XMLDict, LargeDictionariesStayConsistentThroughManyRemovals)
{
    // Crosses the size where lookups switch to the index and where removed
    // slots get compacted, in both directions.
    XMLDict dict;
    for (int i = 0; i < 200; ++i) {
        dict.set("k" + std::to_string(i), std::to_string(i));
    }
    for (int i = 0; i < 200; i += 2) {
        ASSERT_TRUE(dict.erase("k" + std::to_string(i)));
    }
    ASSERT_EQ(dict.size(), 100u);
    int expected = 1;
    for (const auto& entry : dict) {
        ASSERT_EQ(entry.key, "k" + std::to_string(expected));
        ASSERT_EQ(*dict.find(entry.key)->string(), std::to_string(expected));
        expected += 2;
    }
    for (int i = 1; i < 199; i += 2) {
        ASSERT_TRUE(dict.erase("k" + std::to_string(i)));
    }
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"k199"}));
    dict.set("k0", "again");
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"k199", "k0"}));
    EXPECT_EQ(*dict.find("k0")->string(), "again");
}

TEST(XMLDict, CopiesShareNodesAndArraysByIdentity)
{
    auto child = std::make_shared<XMLDict>();
    auto list = std::make_shared<XMLArray>(XMLArray{"x", child});
    XMLDict dict;
    dict.set("node", child);
    dict.set("list", list);
    XMLDict copy(dict);
    EXPECT_TRUE(copy.find("node")->isObject(child.get()));
    EXPECT_TRUE(copy.find("list")->array()->containsObject(child.get()));
    EXPECT_FALSE(XMLValue(std::make_shared<XMLDict>()).isObject(child.get())) << "an equal node is not the node";
    EXPECT_FALSE(XMLValue("text").isObject(nullptr));
}

TEST(XMLTree, DestroyingAVeryDeepTreeDoesNotExhaustTheStack)
{
    constexpr int depth = 300000; // far beyond what recursive freeing survives
    auto root = std::make_shared<XMLDict>();
    auto node = root;
    for (int i = 0; i < depth; ++i) {
        auto child = std::make_shared<XMLDict>();
        if (i % 2) {
            node->set("c", child);
        } else {
            node->set("c", std::make_shared<XMLArray>(XMLArray{"t", child}));
        }
        node = child;
    }
    node.reset();
    root.reset(); // would overflow the stack if freed recursively
    SUCCEED();
}

TEST(XMLTree, SharedSubtreesSurviveTheirParent)
{
    auto kept = std::make_shared<XMLDict>();
    kept->set("k", "v");
    {
        auto parent = std::make_shared<XMLDict>();
        parent->set("child", kept);
    }
    ASSERT_EQ(kept->size(), 1u);
    EXPECT_EQ(*kept->find("k")->string(), "v");
}
