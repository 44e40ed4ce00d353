// BTPageOwner: what the paged file needs of the tree that last read or
// allocated a cached page. The B-tree engine derives from it; keeping the
// interface here lets the file layer call up without depending on the engine.
#pragma once

struct BTPage;

class BTPageOwner
{
public:
    // Called by BTPagedFile::WritePage just before the page's bytes go to
    // disk, so the owner can bring derived data in the page up to date.
    virtual void BeforePageWrite(BTPage* page) = 0;

protected:
    ~BTPageOwner() {}
};
