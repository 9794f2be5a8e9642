#include <gtest/gtest.h>

#include "engine/my_StateBlock.h"

#include <juce_data_structures/juce_data_structures.h>

namespace
{
juce::MemoryBlock bytesOf (const juce::ValueTree& tree)
{
    juce::MemoryOutputStream stream;
    tree.writeToStream (stream);
    return stream.getMemoryBlock();
}

bool wellFormed (const juce::MemoryBlock& block)
{
    return my::isWellFormedStateBlock (block.getData(), block.getSize());
}

juce::MemoryBlock bytes (std::initializer_list<int> values)
{
    juce::MemoryBlock block;
    for (int v : values)
    {
        const auto byte = static_cast<char> (v);
        block.append (&byte, 1);
    }
    return block;
}

TEST (StateBlock, AcceptsEveryTreeTheFrameworkWrites)
{
    juce::ValueTree root ("Parameters");
    root.setProperty ("int", 7, nullptr);
    root.setProperty ("negative", -123456789, nullptr);
    root.setProperty ("int64", static_cast<juce::int64> (1) << 40, nullptr);
    root.setProperty ("double", 0.25, nullptr);
    root.setProperty ("yes", true, nullptr);
    root.setProperty ("no", false, nullptr);
    root.setProperty ("text", "Triangle Half Spring", nullptr);
    root.setProperty ("empty", juce::var(), nullptr);
    root.setProperty ("binary", juce::var (juce::MemoryBlock ("abc", 3)), nullptr);
    root.setProperty ("array", juce::Array<juce::var> { 1, "two", juce::Array<juce::var> { 3.0 } }, nullptr);
    for (int i = 0; i < 27; ++i)
    {
        juce::ValueTree child ("PARAM");
        child.setProperty ("id", "p" + juce::String (i), nullptr);
        child.setProperty ("value", i * 0.5f, nullptr);
        child.appendChild (juce::ValueTree ("grandchild"), nullptr);
        root.appendChild (child, nullptr);
    }

    EXPECT_TRUE (wellFormed (bytesOf (root)));
    EXPECT_TRUE (wellFormed (bytesOf (juce::ValueTree ("x"))));

    auto withTrailingBytes = bytesOf (root);
    withTrailingBytes.append ("tail", 4);
    EXPECT_TRUE (wellFormed (withTrailingBytes)) << "the reader ignores what follows the tree";
}

TEST (StateBlock, RejectsEmptyAndTruncatedBlocks)
{
    EXPECT_FALSE (my::isWellFormedStateBlock (nullptr, 10));
    EXPECT_FALSE (my::isWellFormedStateBlock ("", 0));

    juce::ValueTree root ("Parameters");
    root.setProperty ("s1Range", 3, nullptr);
    root.appendChild (juce::ValueTree ("PARAM"), nullptr);
    const auto whole = bytesOf (root);
    for (size_t size = 1; size < whole.getSize(); ++size)
        EXPECT_FALSE (my::isWellFormedStateBlock (whole.getData(), size)) << size;
}

TEST (StateBlock, RejectsCountsAndSizesThatDoNotFit)
{
    // Type "a", then a property count of 2^31 - 1.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 4, 0xff, 0xff, 0xff, 0x7f })));
    // No properties, then a child count of 2^31 - 1: the reader would reserve 16 GB for it.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 0, 4, 0xff, 0xff, 0xff, 0x7f })));
    // A negative child count.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 0, 0x81, 1 })));
    // A compressed int of more than four bytes.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 5, 1, 0, 0, 0, 0, 0 })));
    // A binary property claiming 2 GB.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 1, 'p', 0, 4, 0xff, 0xff, 0xff, 0x7f, 8, 0 })));
    // An int property whose size is not that of an int.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 1, 'p', 0, 3, 1, 0, 0, 0 })));
    // An array claiming more items than its bytes hold.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 1, 'p', 0, 3, 7, 1, 100, 0 })));
    // An empty type or property name.
    EXPECT_FALSE (wellFormed (bytes ({ 0, 0, 0 })));
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 0, 1, 0, 1, 1, 2, 0 })));
    // A type that never ends.
    EXPECT_FALSE (wellFormed (bytes ({ 'a', 'b', 'c' })));
}

TEST (StateBlock, RejectsNestingDeepEnoughToExhaustTheStack)
{
    juce::MemoryBlock deep;
    for (int i = 0; i < 100000; ++i)
        deep.append ("a\0\0\1\1", 5); // type "a", no properties, one child
    deep.append ("a\0\0\0", 4);
    EXPECT_FALSE (wellFormed (deep));

    auto nestedArrays = [] (int depth)
    {
        juce::var value (1);
        for (int i = 0; i < depth; ++i)
            value = juce::Array<juce::var> { value };
        juce::ValueTree tree ("a");
        tree.setProperty ("p", value, nullptr);
        return bytesOf (tree);
    };
    EXPECT_TRUE (wellFormed (nestedArrays (8)));
    EXPECT_FALSE (wellFormed (nestedArrays (500)));

    juce::ValueTree nested ("level");
    for (int i = 0; i < 8; ++i)
    {
        juce::ValueTree parent ("level");
        parent.appendChild (nested, nullptr);
        nested = parent;
    }
    EXPECT_TRUE (wellFormed (bytesOf (nested)));
}
} // namespace

namespace
{
// A tree in the framework's binary format, written directly: writing it through a value tree
// would itself take minutes for the property counts tried here.
juce::MemoryBlock treeBytes (int numProperties, int numChildren)
{
    juce::MemoryOutputStream stream;
    stream.writeString ("Parameters");
    stream.writeCompressedInt (numProperties);
    for (int i = 0; i < numProperties; ++i)
    {
        stream.writeString ("p" + juce::String (i));
        stream.writeCompressedInt (0); // an empty value
    }
    stream.writeCompressedInt (numChildren);
    for (int i = 0; i < numChildren; ++i)
    {
        stream.writeString ("PARAM");
        stream.writeCompressedInt (0);
        stream.writeCompressedInt (0);
    }
    return stream.getMemoryBlock();
}

TEST (StateBlock, RefusesBlocksFarBeyondAnyStateThePlugInWrites)
{
    // Many distinct property names: the framework's reader would take seconds.
    EXPECT_FALSE (wellFormed (treeBytes (200000, 0)));
    EXPECT_TRUE (wellFormed (treeBytes (my::maximumStateProperties, 0)));
    EXPECT_FALSE (wellFormed (treeBytes (my::maximumStateProperties + 1, 0)));

    // A huge tree.
    EXPECT_FALSE (wellFormed (treeBytes (0, 100000)));
    EXPECT_TRUE (wellFormed (treeBytes (0, my::maximumStateTrees - 1)));
    EXPECT_FALSE (wellFormed (treeBytes (0, my::maximumStateTrees)));

    // The properties of all trees count together.
    juce::ValueTree root ("Parameters");
    for (int i = 0; i < 8; ++i)
    {
        juce::ValueTree child ("PARAM");
        for (int k = 0; k < my::maximumStateProperties / 8; ++k)
            child.setProperty ("p" + juce::String (k), k, nullptr);
        root.appendChild (child, nullptr);
    }
    EXPECT_TRUE (wellFormed (bytesOf (root)));
    root.setProperty ("one more", 1, nullptr);
    EXPECT_FALSE (wellFormed (bytesOf (root)));

    // The size of the whole block, trailing bytes included.
    auto block = treeBytes (27, 27);
    block.setSize (my::maximumStateBytes, true);
    EXPECT_TRUE (wellFormed (block));
    block.setSize (my::maximumStateBytes + 1, true);
    EXPECT_FALSE (wellFormed (block));
}
} // namespace
