// Entries, refs, paths, directories and links on a real folder tree.
#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>
#include <SymLink.h>

#include "TempFolder.h"

using namespace quillora_test;

namespace {

std::string
PathOf(const BEntry& entry)
{
	BPath path;
	if (entry.GetPath(&path) != B_OK)
		return "<none>";
	return path.Path();
}

// The folder as the kit sees it (/tmp may itself be reached through a link).
std::string
RealFolder(const TempFolder& folder)
{
	char* real = realpath(folder.Path().c_str(), nullptr);
	std::string result = real != nullptr ? real : "";
	free(real);
	return result;
}

}	// namespace

TEST(Entry, LinksAreFollowedOnlyWhenAsked)
{
	TempFolder folder;
	std::string real = RealFolder(folder);
	WriteFile(folder / "target.html", "x");
	ASSERT_EQ(0, symlink("target.html", (folder / "link").c_str()));
	ASSERT_EQ(0, symlink("link", (folder / "chain").c_str()));
	ASSERT_EQ(0, symlink("missing.html", (folder / "dangling").c_str()));
	ASSERT_EQ(0, mkdir((folder / "sub").c_str(), 0755));
	ASSERT_EQ(0, symlink("../target.html", (folder / "sub/up").c_str()));

	BEntry link((folder / "link").c_str(), false);
	ASSERT_EQ(B_OK, link.InitCheck());
	EXPECT_TRUE(link.IsSymLink());
	EXPECT_FALSE(link.IsFile());
	EXPECT_EQ(real + "/link", PathOf(link));

	BEntry followed((folder / "chain").c_str(), true);
	ASSERT_EQ(B_OK, followed.InitCheck());
	EXPECT_TRUE(followed.IsFile());
	EXPECT_EQ(real + "/target.html", PathOf(followed)) << "a chain of links is followed to its end";

	BEntry relativeUp((folder / "sub/up").c_str(), true);
	EXPECT_EQ(real + "/target.html", PathOf(relativeUp)) << "relative contents count from the link's folder";

	// A dangling link exists as a link; followed, it names the missing target.
	BEntry dangling((folder / "dangling").c_str());
	EXPECT_TRUE(dangling.Exists());
	EXPECT_TRUE(dangling.IsSymLink());
	BEntry danglingFollowed((folder / "dangling").c_str(), true);
	ASSERT_EQ(B_OK, danglingFollowed.InitCheck());
	EXPECT_FALSE(danglingFollowed.Exists());
	EXPECT_EQ(real + "/missing.html", PathOf(danglingFollowed));

	// Links in the folder part are always resolved.
	ASSERT_EQ(0, symlink(real.c_str(), (folder / "sub/home").c_str()));
	BEntry through((folder / "sub/home/link").c_str());
	EXPECT_EQ(real + "/link", PathOf(through));
}

TEST(Entry, LinkLoopsEndWithAnError)
{
	TempFolder folder;
	ASSERT_EQ(0, symlink("b", (folder / "a").c_str()));
	ASSERT_EQ(0, symlink("a", (folder / "b").c_str()));
	BEntry loop((folder / "a").c_str(), true);
	EXPECT_EQ(B_LINK_LIMIT, loop.InitCheck());
	BEntry plain((folder / "a").c_str(), false);
	EXPECT_EQ(B_OK, plain.InitCheck());
}

TEST(Entry, AbstractEntriesNeedAnExistingFolder)
{
	TempFolder folder;
	BEntry future((folder / "not-yet.html").c_str());
	EXPECT_EQ(B_OK, future.InitCheck());
	EXPECT_FALSE(future.Exists());
	char name[B_FILE_NAME_LENGTH];
	EXPECT_EQ(B_OK, future.GetName(name));
	EXPECT_STREQ("not-yet.html", name);

	BEntry orphan((folder / "no-folder/x.html").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, orphan.InitCheck());
	EXPECT_FALSE(orphan.Exists());
	WriteFile(folder / "file", "");
	BEntry underFile((folder / "file/x").c_str());
	EXPECT_EQ(B_NOT_A_DIRECTORY, underFile.InitCheck());

	BEntry unset;
	EXPECT_EQ(B_NO_INIT, unset.InitCheck());
	EXPECT_FALSE(unset.Exists());
	BPath path;
	EXPECT_NE(B_OK, unset.GetPath(&path));
	EXPECT_EQ(nullptr, path.Path());
}

TEST(Entry, RefRoundTripAndRelativePaths)
{
	TempFolder folder;
	std::string real = RealFolder(folder);
	WriteFile(folder / "page.html", "");

	// A relative path is resolved against the current folder.
	char* saved = getcwd(nullptr, 0);
	ASSERT_EQ(0, chdir(folder.Path().c_str()));
	entry_ref ref;
	status_t status = get_ref_for_path("./sub/../page.html", &ref);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, status) << "sub does not exist";
	status = get_ref_for_path("page.html", &ref);
	ASSERT_EQ(0, chdir(saved));
	free(saved);
	ASSERT_EQ(B_OK, status);
	EXPECT_STREQ("page.html", ref.name);

	struct stat st;
	ASSERT_EQ(0, stat(real.c_str(), &st));
	EXPECT_EQ(st.st_dev, ref.device);
	EXPECT_EQ(st.st_ino, ref.directory);

	BEntry entry(&ref);
	ASSERT_EQ(B_OK, entry.InitCheck());
	EXPECT_EQ(real + "/page.html", PathOf(entry));
	entry_ref back;
	ASSERT_EQ(B_OK, entry.GetRef(&back));
	EXPECT_TRUE(back == ref);

	entry_ref copy = ref;
	EXPECT_TRUE(copy == ref);
	copy.set_name("other.html");
	EXPECT_TRUE(copy != ref);
	copy.set_name("page.htm");
	EXPECT_TRUE(copy != ref);
	EXPECT_FALSE(copy == ref);
	EXPECT_STREQ("page.html", ref.name) << "copies own their names";

	BPath fromRef(&ref);
	EXPECT_STREQ((real + "/page.html").c_str(), fromRef.Path());

	// A ref whose folder has gone no longer resolves.
	ASSERT_EQ(0, mkdir((folder / "gone").c_str(), 0755));
	entry_ref stale;
	ASSERT_EQ(B_OK, get_ref_for_path((folder / "gone/x").c_str(), &stale));
	ASSERT_EQ(0, rmdir((folder / "gone").c_str()));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BEntry(&stale).InitCheck());
}

TEST(Entry, ParentRenameMoveAndRemove)
{
	TempFolder folder;
	std::string real = RealFolder(folder);
	WriteFile(folder / "a", "A");
	WriteFile(folder / "b", "B");
	ASSERT_EQ(0, mkdir((folder / "dir").c_str(), 0755));

	BEntry a((folder / "a").c_str());
	BEntry parent;
	ASSERT_EQ(B_OK, a.GetParent(&parent));
	EXPECT_EQ(real, PathOf(parent));
	EXPECT_TRUE(parent.IsDirectory());

	EXPECT_EQ(B_FILE_EXISTS, a.Rename("b"));
	EXPECT_EQ("B", ReadFile(folder / "b")) << "no clobbering unless asked";
	EXPECT_EQ(B_OK, a.Rename("c"));
	EXPECT_EQ(real + "/c", PathOf(a));
	EXPECT_EQ("A", ReadFile(folder / "c"));

	BDirectory dir((folder / "dir").c_str());
	EXPECT_EQ(B_OK, a.MoveTo(&dir));
	EXPECT_EQ(real + "/dir/c", PathOf(a));
	EXPECT_EQ(B_OK, a.MoveTo(&dir, "../b", true));
	EXPECT_EQ("A", ReadFile(folder / "b"));

	EXPECT_EQ(B_OK, a.Remove());
	EXPECT_FALSE(a.Exists());
	BEntry dirEntry((folder / "dir").c_str());
	EXPECT_EQ(B_OK, dirEntry.Remove());
	EXPECT_FALSE(BEntry((folder / "dir").c_str()).Exists());

	BEntry root("/");
	BEntry none;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&none));
}

TEST(Path, NormalisesAndSplits)
{
	TempFolder folder;
	std::string real = RealFolder(folder);
	ASSERT_EQ(0, mkdir((folder / "x").c_str(), 0755));

	BPath path((folder.Path() + "//x/./../x/").c_str());
	ASSERT_EQ(B_OK, path.InitCheck());
	EXPECT_STREQ((real + "/x").c_str(), path.Path());
	EXPECT_STREQ("x", path.Leaf());

	BPath joined(folder.Path().c_str(), "x/leaf.html");
	EXPECT_STREQ("leaf.html", joined.Leaf());
	BPath parent;
	ASSERT_EQ(B_OK, joined.GetParent(&parent));
	EXPECT_STREQ("x", parent.Leaf());
	EXPECT_EQ(B_OK, parent.Append("other"));
	EXPECT_STREQ("other", parent.Leaf());

	EXPECT_EQ(B_BAD_VALUE, BPath(folder.Path().c_str(), "/absolute").InitCheck());
	EXPECT_EQ(B_ENTRY_NOT_FOUND,
		BPath((folder.Path() + "/missing/../x").c_str()).InitCheck());

	// Without normalising, a clean path is taken as it is, even if missing.
	BPath clean("/no/such/place");
	EXPECT_EQ(B_OK, clean.InitCheck());
	EXPECT_STREQ("/no/such/place", clean.Path());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BPath("/no/such/place", nullptr, true).InitCheck());

	BPath root("/");
	EXPECT_STREQ("", root.Leaf());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&parent));

	// Normalising resolves links in the folder part.
	ASSERT_EQ(0, symlink((folder / "x").c_str(), (folder / "alias").c_str()));
	BPath viaLink((folder / "alias/leaf").c_str(), nullptr, true);
	EXPECT_STREQ((real + "/x/leaf").c_str(), viaLink.Path());

	BPath unset;
	EXPECT_EQ(nullptr, unset.Path());
	EXPECT_EQ(nullptr, unset.Leaf());
	// Appending needs a path to append to: an argument error, as on BeOS,
	// whether the path was never set or failed to be set.
	EXPECT_EQ(B_BAD_VALUE, unset.Append("x"));
	EXPECT_EQ(nullptr, unset.Path());
	BPath failed((folder.Path() + "/missing/../x").c_str());
	EXPECT_EQ(B_BAD_VALUE, failed.Append("x"));
	EXPECT_EQ(B_BAD_VALUE, parent.Append(nullptr));
	EXPECT_STREQ("other", parent.Leaf());
}

TEST(Directory, WalksCreatesAndFinds)
{
	TempFolder folder;
	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.InitCheck());
	EXPECT_EQ(0, dir.CountEntries());

	BFile file;
	EXPECT_EQ(B_OK, dir.CreateFile("one.html", &file));
	EXPECT_EQ(1, file.Write("1", 1));
	EXPECT_EQ(B_FILE_EXISTS, dir.CreateFile("one.html", nullptr, true));
	EXPECT_EQ("1", ReadFile(folder / "one.html"));
	EXPECT_EQ(B_OK, dir.CreateFile("one.html", nullptr, false));
	EXPECT_EQ("", ReadFile(folder / "one.html")) << "CreateFile erases";

	BDirectory sub;
	EXPECT_EQ(B_OK, dir.CreateDirectory("sub", &sub));
	EXPECT_EQ(B_OK, sub.InitCheck());
	EXPECT_EQ(B_FILE_EXISTS, dir.CreateDirectory("sub", nullptr));
	EXPECT_EQ(B_OK, sub.CreateFile("inner", nullptr));

	BSymLink link;
	EXPECT_EQ(B_OK, dir.CreateSymLink("link", "sub/inner", &link));
	EXPECT_EQ(B_OK, link.InitCheck());
	EXPECT_TRUE(link.IsSymLink());
	EXPECT_EQ(B_FILE_EXISTS, dir.CreateSymLink("link", "elsewhere", nullptr));

	EXPECT_EQ(3, dir.CountEntries());
	std::set<std::string> names;
	BEntry entry;
	while (dir.GetNextEntry(&entry) == B_OK) {
		char name[B_FILE_NAME_LENGTH];
		entry.GetName(name);
		names.insert(name);
	}
	EXPECT_EQ((std::set<std::string>{ "link", "one.html", "sub" }), names);
	EXPECT_EQ(B_NO_INIT, entry.InitCheck()) << "the end leaves the entry unset";

	EXPECT_EQ(B_OK, dir.Rewind());
	std::set<std::string> refNames;
	entry_ref ref;
	while (dir.GetNextRef(&ref) == B_OK) {
		refNames.insert(ref.name);
		EXPECT_EQ(B_OK, BEntry(&ref).InitCheck());
	}
	EXPECT_EQ(names, refNames);

	EXPECT_TRUE(dir.Contains("sub", B_DIRECTORY_NODE));
	EXPECT_FALSE(dir.Contains("sub", B_FILE_NODE));
	EXPECT_TRUE(dir.Contains("link", B_SYMLINK_NODE));
	EXPECT_FALSE(dir.Contains("link", B_FILE_NODE));
	EXPECT_FALSE(dir.Contains("missing"));
	EXPECT_TRUE(dir.Contains((folder / "sub/inner").c_str()));
	EXPECT_FALSE(sub.Contains((folder / "one.html").c_str()));

	EXPECT_EQ(B_OK, dir.FindEntry("link", &entry, true));
	EXPECT_TRUE(entry.IsFile());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, dir.FindEntry("missing", &entry));
	EXPECT_EQ(B_NO_INIT, entry.InitCheck());

	// A directory opened once can be found again by its node.
	node_ref nodeRef;
	ASSERT_EQ(B_OK, sub.GetNodeRef(&nodeRef));
	BDirectory byNode(&nodeRef);
	ASSERT_EQ(B_OK, byNode.InitCheck());
	EXPECT_TRUE(byNode == sub);
	EXPECT_TRUE(byNode.Contains("inner", B_FILE_NODE));

	WriteFile(folder / "subway", "");
	EXPECT_FALSE(sub.Contains((folder / "subway").c_str()));
	BDirectory root("/");
	EXPECT_TRUE(root.Contains(folder.Path().c_str()));
	BEntry rootEntry("/");
	EXPECT_FALSE(root.Contains(&rootEntry));

	BDirectory notDir((folder / "one.html").c_str());
	EXPECT_EQ(B_NOT_A_DIRECTORY, notDir.InitCheck());
	BDirectory unset;
	EXPECT_EQ(B_NO_INIT, unset.CreateFile("relative", nullptr));
}

TEST(SymLink, ReadsContentsAndMakesLinkedPaths)
{
	TempFolder folder;
	std::string real = RealFolder(folder);
	BDirectory dir(folder.Path().c_str());
	ASSERT_EQ(B_OK, dir.CreateDirectory("x", nullptr));
	ASSERT_EQ(B_OK, dir.CreateSymLink("rel", "x/../x/page.html", nullptr));
	ASSERT_EQ(B_OK, dir.CreateSymLink("abs", (real + "/x").c_str(), nullptr));

	BSymLink rel((folder / "rel").c_str());
	ASSERT_EQ(B_OK, rel.InitCheck()) << "a dangling link can still be opened";
	char buffer[B_PATH_NAME_LENGTH];
	EXPECT_EQ((ssize_t)strlen("x/../x/page.html"), rel.ReadLink(buffer, sizeof(buffer)));
	EXPECT_STREQ("x/../x/page.html", buffer);
	EXPECT_FALSE(rel.IsAbsolute());

	// A short buffer gets a cut, terminated copy and the full length.
	char small[4];
	EXPECT_EQ((ssize_t)strlen("x/../x/page.html"), rel.ReadLink(small, sizeof(small)));
	EXPECT_STREQ("x/.", small);

	BPath linked;
	EXPECT_GT(rel.MakeLinkedPath(&dir, &linked), 0);
	EXPECT_STREQ((real + "/x/page.html").c_str(), linked.Path());

	BSymLink abs((folder / "abs").c_str());
	EXPECT_TRUE(abs.IsAbsolute());
	EXPECT_GT(abs.MakeLinkedPath("/elsewhere", &linked), 0);
	EXPECT_STREQ((real + "/x").c_str(), linked.Path());

	// A file is no link.
	ASSERT_EQ(B_OK, dir.CreateFile("plain", nullptr));
	BSymLink plain((folder / "plain").c_str());
	EXPECT_LT(plain.ReadLink(buffer, sizeof(buffer)), 0);
}

TEST(CreateDirectory, MakesEveryMissingParent)
{
	TempFolder folder;
	std::string deep = folder / "a/b/c/d";
	EXPECT_EQ(B_OK, create_directory(deep.c_str(), 0755));
	EXPECT_TRUE(BEntry(deep.c_str()).IsDirectory());
	EXPECT_EQ(B_OK, create_directory(deep.c_str(), 0755)) << "existing is fine";
	EXPECT_EQ(B_OK, create_directory((deep + "/").c_str(), 0755));

	WriteFile(folder / "a/file", "");
	EXPECT_EQ(B_FILE_EXISTS, create_directory((folder / "a/file").c_str(), 0755));
	EXPECT_EQ(B_NOT_A_DIRECTORY,
		create_directory((folder / "a/file/below").c_str(), 0755));
	EXPECT_EQ(B_BAD_VALUE, create_directory(nullptr, 0755));
}

TEST(Statable, ReportsAndChangesNodeFacts)
{
	TempFolder folder;
	WriteFile(folder / "f", "12345");
	BNode node((folder / "f").c_str());
	ASSERT_EQ(B_OK, node.InitCheck());
	off_t size;
	EXPECT_EQ(B_OK, node.GetSize(&size));
	EXPECT_EQ(5, size);
	EXPECT_EQ(B_OK, node.SetPermissions(0600));
	mode_t mode;
	EXPECT_EQ(B_OK, node.GetPermissions(&mode));
	EXPECT_EQ(0600u, mode & 0777);
	EXPECT_EQ(B_OK, node.SetModificationTime(1000000000));
	time_t mtime;
	EXPECT_EQ(B_OK, node.GetModificationTime(&mtime));
	EXPECT_EQ(1000000000, mtime);

	EXPECT_EQ(B_ENTRY_NOT_FOUND, BNode((folder / "missing").c_str()).InitCheck());
}
