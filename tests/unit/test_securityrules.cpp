#include "security/securityrules.h"

#include <gtest/gtest.h>

#include <string>

TEST(ParseSecuritySpec, TokenFolderAndFileName)
{
    SecuritySpec parsed = parseSecuritySpec("${java.home}/lib/security/java.policy");
    EXPECT_EQ(parsed.base, SecurityBase::javaHome);
    EXPECT_TRUE(parsed.hasSlash);
    EXPECT_EQ(parsed.folderPart, "/lib/security");
    EXPECT_EQ(parsed.fileName, "java.policy");

    parsed = parseSecuritySpec("before${user.home}/.keystore");
    EXPECT_EQ(parsed.base, SecurityBase::userHome) << "text in front of the token is ignored";
    EXPECT_EQ(parsed.folderPart, "");
    EXPECT_EQ(parsed.fileName, ".keystore");

    parsed = parseSecuritySpec("${user.home}.keystore");
    EXPECT_FALSE(parsed.hasSlash);
    EXPECT_EQ(parsed.fileName, ".keystore");

    parsed = parseSecuritySpec("${user.home}/x/${java.home}/y");
    EXPECT_EQ(parsed.base, SecurityBase::javaHome) << "the JVM's token is looked for first";
    EXPECT_EQ(parsed.afterToken, "/y");

    parsed = parseSecuritySpec("lib/java.policy");
    EXPECT_EQ(parsed.base, SecurityBase::none);
}

TEST(BackupPath, ExtensionOfTheLastPartBecomesDot001)
{
    EXPECT_EQ(backupPath("C:\\jre\\lib\\security\\java.policy"), "C:\\jre\\lib\\security\\java.001");
    EXPECT_EQ(backupPath("C:\\home\\.keystore"), "C:\\home\\.001");
    EXPECT_EQ(backupPath("C:\\my.folder\\keystore"), "C:\\my.folder\\keystore.001");
    EXPECT_EQ(backupPath("java.policy"), "java.policy.001") << "a path without a backslash keeps its extension";
}

TEST(BackupChangeLine, TwoWordsOfTheLanguageAndAlwaysIdentitydb)
{
    const std::string path = "C:\\jre\\lib\\security\\java.policy";
    EXPECT_EQ(backupChangeLine("english", path), "Renamed to " + path + " identitydb.001");
    EXPECT_EQ(backupChangeLine("spanish", path), "Reagrupado  a " + path + " identitydb.001");
    EXPECT_EQ(backupChangeLine("french", path), "Renomm\xEF\xBF\xBD en " + path + " identitydb.001");
    EXPECT_EQ(backupChangeLine("portuguese", path), "Nome modificado Para " + path + " identitydb.001");
    EXPECT_EQ(backupChangeLine("klingon", path), "Renamed to " + path + " identitydb.001");
}

TEST(IdentityDatabasePath, SlashesTurnedAndDoubledBackslashesShrunk)
{
    EXPECT_EQ(identityDatabasePath("identity.database=C:/Data//identitydb.obj\r\n"), "C:\\Data\\identitydb.obj");
    EXPECT_EQ(identityDatabasePath("identity.database=C:\\\\\\Data\\x  \n"), "C:\\Data\\x");
    EXPECT_EQ(identityDatabasePath("identity.database="), "");
    EXPECT_EQ(identityDatabasePath(" identity.database=C:/x"), "") << "only at the line's first character";
}

TEST(KeystoreInUserHome, OnlyDirectlyInTheToken)
{
    std::string name;
    EXPECT_TRUE(keystoreInUserHome("${user.home}/.keystore", name));
    EXPECT_EQ(name, ".keystore");
    EXPECT_TRUE(keystoreInUserHome("${USER.HOME}/.keystore", name)) << "any case";
    EXPECT_FALSE(keystoreInUserHome("${user.home}/sub/.keystore", name));
    EXPECT_FALSE(keystoreInUserHome("${user.home}.keystore", name));
}
