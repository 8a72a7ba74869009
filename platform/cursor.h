#pragma once

namespace marvolin::platform {

// The pointer shape. Wait cursors nest: each PushWait is undone by one Restore.
class Cursor {
  public:
    virtual ~Cursor() = default;
    virtual void PushWait() = 0;
    virtual void Restore() = 0;
};

// Shows the wait cursor for the lifetime of the object, whichever way the scope is left.
class WaitCursor {
  public:
    explicit WaitCursor(Cursor& cursor) : cursor_(cursor) { cursor_.PushWait(); }
    ~WaitCursor() { cursor_.Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Cursor& cursor_;
};

}  // namespace marvolin::platform
