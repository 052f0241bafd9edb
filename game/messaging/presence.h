// What the messaging readers share inside the library: the guard that
// keeps a reader from running inside itself, and the count of screens the
// readers cleared.
#ifndef TRV_GAME_MESSAGING_PRESENCE_H_
#define TRV_GAME_MESSAGING_PRESENCE_H_

namespace trv::messaging {

// Marks a reader as running for its scope. A reader whose screens poll
// again (a request handler's screen) must not start over inside itself.
class Reentry {
 public:
  explicit Reentry(bool* running) : running_(running), entered_(!*running) {
    if (entered_) *running_ = true;
  }
  ~Reentry() {
    if (entered_) *running_ = false;
  }
  Reentry(const Reentry&) = delete;
  Reentry& operator=(const Reentry&) = delete;
  bool entered() const { return entered_; }

 private:
  bool* running_;
  bool entered_;
};

// Counts the readers' cleared screens, so the chat room knows when its
// frame is gone and must be drawn again.
void NoteFullScreen();
int FullScreensShown();

}  // namespace trv::messaging

#endif  // TRV_GAME_MESSAGING_PRESENCE_H_
