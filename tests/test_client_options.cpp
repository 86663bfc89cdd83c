// The command line: options wherever they stand, and the lobby's three parameters, which pass
// through untouched.
#include "client/options.h"

#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral("cribbage");

Options read(const QStringList& words, const QString& env = {}) {
    const auto [options, params] = splitArguments(QStringList{kProgram} + words);
    const auto result = readOptions(options, params, env);
    if (const QString* error = std::get_if<QString>(&result)) {
        ADD_FAILURE() << error->toStdString();
        return {};
    }
    return std::get<Options>(result);
}

QString errorOf(const QStringList& words) {
    const auto [options, params] = splitArguments(QStringList{kProgram} + words);
    const auto result = readOptions(options, params);
    const QString* error = std::get_if<QString>(&result);
    return error ? *error : QString();
}

} // namespace

TEST(CommandLine, TheLobbysParametersPassThroughWordForWord) {
    EXPECT_EQ(read({}).params, QStringList());
    EXPECT_EQ(read({"Bob", "10.0.0.5", "false"}).params, QStringList({"Bob", "10.0.0.5", "false"}));
    // A name in the name's place reaches the game whatever it looks like.
    EXPECT_EQ(read({"-v", "host", "true"}).params, QStringList({"-v", "host", "true"}));
    EXPECT_EQ(read({"-h", "host", "false"}).params, QStringList({"-h", "host", "false"}));
    EXPECT_EQ(read({"--Bob--", "host", "true"}).params, QStringList({"--Bob--", "host", "true"}));
    EXPECT_EQ(read({"--", "--port", "host", "true"}).params,
              QStringList({"--port", "host", "true"}));

    const Options o = read({"--port", "7000", "--instance", "two", "-Ann", "host", "true"});
    EXPECT_EQ(o.port, 7000);
    EXPECT_EQ(o.instance, "two");
    EXPECT_EQ(o.params, QStringList({"-Ann", "host", "true"}));
}

// The lobby's three words may come first: the options after them were dropped, and the game
// listened on 7772 with its files beside the program.
TEST(CommandLine, OptionsAfterTheParametersAreTaken) {
    const Options o = read({"Alice", "127.0.0.1", "true", "--port", "7792", "--files", "/tmp/d"});
    EXPECT_EQ(o.port, 7792);
    EXPECT_EQ(o.filesDir, "/tmp/d");
    EXPECT_EQ(o.params, QStringList({"Alice", "127.0.0.1", "true"}));

    const Options between = read({"-Ann", "--instance=two", "host", "--autoplay", "false"});
    EXPECT_EQ(between.instance, "two");
    EXPECT_TRUE(between.autoplay);
    EXPECT_EQ(between.params, QStringList({"-Ann", "host", "false"}));

    // Words after the third are still ignored, as the lobby never sends any.
    EXPECT_EQ(read({"Ann", "host", "true", "extra"}).params,
              QStringList({"Ann", "host", "true", "extra"}));
}

TEST(CommandLine, OptionsAndTheirDefaults) {
    const Options plain = read({});
    EXPECT_EQ(plain.port, 7772);
    EXPECT_EQ(plain.instance, "levraz");
    EXPECT_TRUE(plain.filesDir.isEmpty());
    EXPECT_EQ(plain.botSpeed, 0);
    EXPECT_FALSE(plain.autoplay);

    EXPECT_EQ(read({}, "7100").port, 7100);
    EXPECT_EQ(read({"--port=7200"}, "7100").port, 7200); // the option wins
    EXPECT_EQ(read({}, "0").port, 7772);                 // the environment cannot ask for any port
    EXPECT_EQ(read({"--port", "0"}).port, 0);            // the option can, for a host

    const Options a = read({"--autoplay", "--start-when", "2", "--game-type", "4", "--points", "61",
                            "--bot-speed", "5", "--files", "/tmp/x"});
    EXPECT_TRUE(a.autoplay);
    EXPECT_EQ(a.startWith, 2);
    EXPECT_EQ(a.gameType, "4");
    EXPECT_EQ(a.points, "2");
    EXPECT_EQ(a.botSpeed, 5);
    EXPECT_EQ(a.filesDir, "/tmp/x");
    EXPECT_EQ(read({"--points", "121"}).points, "1");
}

TEST(CommandLine, BadOptionsAreNamed) {
    EXPECT_TRUE(errorOf({"--bogus"}).contains("bogus"));
    EXPECT_TRUE(errorOf({"Alice", "127.0.0.1", "true", "--prot", "7792"}).contains("prot"));
    EXPECT_TRUE(errorOf({"Alice", "-x", "true"}).contains("x"));
    // "--port" takes the word after it, wherever it stands.
    EXPECT_EQ(errorOf({"Bob", "--port", "true"}), "--port needs a number from 0 to 65535");
    EXPECT_EQ(errorOf({"--port", "65536"}), "--port needs a number from 0 to 65535");
    EXPECT_EQ(errorOf({"--port", "x"}), "--port needs a number from 0 to 65535");
    EXPECT_EQ(errorOf({"--bot-speed", "0"}), "--bot-speed needs a number from 1 to 10000");
    EXPECT_EQ(errorOf({"--game-type", "5"}), "--game-type needs a number from 1 to 4");
    EXPECT_EQ(errorOf({"--points", "100"}), "--points needs 121 or 61");
    EXPECT_EQ(errorOf({"--instance", ""}), "--instance needs a name");
    EXPECT_FALSE(errorOf({"--port"}).isEmpty()); // a value is missing
}

TEST(CommandLine, HelpAndVersionAreAskedForOnlyAsOptions) {
    auto asks = [](const QStringList& words) {
        return wantsHelpOrVersion(splitArguments(QStringList{kProgram} + words).first);
    };
    EXPECT_TRUE(asks({"--help"}));
    EXPECT_TRUE(asks({"-h"}));
    EXPECT_TRUE(asks({"--port", "7000", "--version"}));
    EXPECT_TRUE(asks({"-v"}));
    EXPECT_TRUE(asks({"Bob", "host", "true", "--help"}));
    EXPECT_FALSE(asks({"-v", "host", "true"})); // a name
    EXPECT_FALSE(asks({"--files", "-v"}));      // a folder's name
}
