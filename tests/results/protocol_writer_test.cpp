#include "results/protocol_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/event_node.h"
#include "engine/request_record.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

struct EventLine {
  const char* name;
  EventNode event;
  std::string line;  // UTF-8, without the line end
};

TEST(ProtocolWriterTest, WritesTheHeaderAndOneLinePerEventKind) {
  static RequestRecord request{.number = 17};
  const EventLine cases[] = {
      {"generation",
       {.time = 0.25, .element = 3, .kind = EventKind::Generation},
       "0,25 Генератор №3 - генерация заявки;"},
      {"queue entry",
       {.time = 1, .element = 2, .request = &request, .kind = EventKind::QueueEntry},
       "1 Очередь №2 - вход заявки N17;"},
      {"queue exit",
       {.time = 1.5, .element = 2, .kind = EventKind::QueueExit},
       "1,5 Очередь №2 - выход заявки;"},
      {"service start",
       {.time = 2,
        .element = 4,
        .request = &request,
        .from_queue = 2,
        .from_slot = 1,
        .kind = EventKind::ServiceStart},
       "2 Устройство №4 - пост. на обсл. из очереди №2 заявки N17;"},
      {"service end",
       {.time = 1e-5, .element = 4, .request = &request, .kind = EventKind::ServiceEnd},
       "1E-5 Устройство №4 - конец обслуживания заявки N17;"},
      {"removal",
       {.time = 3, .element = 1, .request = &request, .kind = EventKind::Removal},
       "3 Удаление из системы заявки N17;"},
  };
  for (const EventLine& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out;
    ProtocolWriter writer(out, Utf8ToCp1251("модель.txt"), NumberFormat{','});
    writer.RunStarted();
    writer.EventTaken(c.event);
    writer.RunFinished();
    EXPECT_EQ(Cp1251ToUtf8(out.str()),
              "Протокол составлен в процессе имитации модели из файла модель.txt\r\n"
              "В протокол не включены моменты начальной генерации заявок всеми источниками "
              "системы в момент времени 0.\r\n" +
                  c.line + "\r\n");
  }
}

TEST(ProtocolWriterTest, AStreamThatFailsEndsTheRunWithAnError) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  ProtocolWriter writer(out, "", NumberFormat{'.'});
  EXPECT_THROW(writer.RunStarted(), QsimError);
}

}  // namespace
}  // namespace qsim
