// The material-library check the model import makes before Assimp reads a
// .mtl: a texture statement before the first material crashes Assimp 5.2.
#include "assets/MaterialLibraryCheck.h"

#include <gtest/gtest.h>

#include <string>

TEST(MaterialLibraryCheck, LibrariesThatNameAMaterialFirstAreSafe)
{
    EXPECT_TRUE(materialLibraryIsSafe(""));
    EXPECT_TRUE(materialLibraryIsSafe("# only a comment\n"));
    EXPECT_TRUE(materialLibraryIsSafe("# Sandlark material\nnewmtl sand\nKd 1 1 1\nmap_Kd sand.jpg\n"));
    EXPECT_TRUE(materialLibraryIsSafe("Kd 1 1 1\nNs 10\nnewmtl a\nmap_d mask.jpg\n"))
        << "colours before a name are only ignored by the reader";
    // The reader takes any line that starts with the word for a new material.
    EXPECT_TRUE(materialLibraryIsSafe("newmtlx\nmap_Kd x.jpg\n"));
    EXPECT_TRUE(materialLibraryIsSafe("newmtl\nmap_Kd x.jpg\n"));
}

TEST(MaterialLibraryCheck, ATextureBeforeTheFirstMaterialIsUnsafeHoweverTheLinesEnd)
{
    EXPECT_FALSE(materialLibraryIsSafe("map_Kd rock.jpg\nnewmtl rock\n"));
    EXPECT_FALSE(materialLibraryIsSafe("map_Kd"));
    EXPECT_FALSE(materialLibraryIsSafe("# texture first\n  map_bump n.jpg\nnewmtl a\n"));
    EXPECT_FALSE(materialLibraryIsSafe("Kd 1 1 1\rmap_Ns s.jpg\rnewmtl a\r"));
    EXPECT_FALSE(materialLibraryIsSafe(std::string("Kd 1 1 1\0map_Ka a.jpg\nnewmtl a\n", 32)));
    EXPECT_FALSE(materialLibraryIsSafe("MAP_KD upper.jpg\nnewmtl a\n")) << "any case";
    // A "newmtl" after blanks is not taken for one by the reader.
    EXPECT_FALSE(materialLibraryIsSafe(" newmtl a\nmap_Kd x.jpg\n"));
    EXPECT_FALSE(materialLibraryIsSafe("\tnewmtl a\nmap_Kd x.jpg\n"));
}
