// Handlers of the command table, one small unit each.
#pragma once
#include "engine/kernel.h"

namespace yav {

const char* cmd_internals(Kernel& k, const char* rest, int user);
const char* cmd_record(Kernel& k, const char* rest, int user);
const char* cmd_status(Kernel& k, const char* rest, int user);
const char* cmd_stop(Kernel& k, const char* rest, int user);
const char* cmd_zero(Kernel& k, const char* rest, int user);
const char* cmd_reset(Kernel& k, const char* rest, int user);
const char* cmd_input(Kernel& k, const char* rest, int user);
const char* cmd_rem(Kernel& k, const char* rest, int user);
const char* cmd_quit(Kernel& k, const char* rest, int user);
const char* cmd_pin(Kernel& k, const char* rest, int user);
const char* cmd_cmdwin(Kernel& k, const char* rest, int user);
const char* cmd_maximize(Kernel& k, const char* rest, int user);
const char* cmd_minimize(Kernel& k, const char* rest, int user);

const char* cmd_load(Kernel& k, const char* rest, int user);
const char* cmd_files(Kernel& k, const char* rest, int user);
const char* cmd_funcs(Kernel& k, const char* rest, int user);

const char* cmd_dump(Kernel& k, const char* rest, int user);
const char* cmd_fill(Kernel& k, const char* rest, int user);
const char* cmd_mm(Kernel& k, const char* rest, int user);

const char* cmd_break(Kernel& k, const char* rest, int user);
const char* cmd_watch(Kernel& k, const char* rest, int user);
const char* cmd_dbreak(Kernel& k, const char* rest, int user);
const char* cmd_dwatch(Kernel& k, const char* rest, int user);
const char* cmd_delete(Kernel& k, const char* rest, int user);

const char* cmd_activ(Kernel& k, const char* rest, int user);
const char* cmd_deact(Kernel& k, const char* rest, int user);
const char* cmd_monit(Kernel& k, const char* rest, int user);
const char* cmd_move(Kernel& k, const char* rest, int user);
const char* cmd_frame(Kernel& k, const char* rest, int user);
const char* cmd_stack(Kernel& k, const char* rest, int user);
const char* cmd_wstack(Kernel& k, const char* rest, int user);
const char* cmd_regs(Kernel& k, const char* rest, int user);
const char* cmd_wregs(Kernel& k, const char* rest, int user);
const char* cmd_vars(Kernel& k, const char* rest, int user);
const char* cmd_print(Kernel& k, const char* rest, int user);
const char* cmd_eval(Kernel& k, const char* rest, int user);
const char* cmd_update(Kernel& k, const char* rest, int user);
const char* cmd_disa(Kernel& k, const char* rest, int user);
const char* cmd_path(Kernel& k, const char* rest, int user);

// Scripts: output redirection, command files written back, messages, the shell, file channels.
const char* cmd_output(Kernel& k, const char* rest, int user);
const char* cmd_write(Kernel& k, const char* rest, int user);
const char* cmd_mess(Kernel& k, const char* rest, int user);
const char* cmd_sys(Kernel& k, const char* rest, int user);
const char* cmd_pause(Kernel& k, const char* rest, int user);
const char* cmd_fopen(Kernel& k, const char* rest, int user);
const char* cmd_fclose(Kernel& k, const char* rest, int user);
const char* cmd_fread(Kernel& k, const char* rest, int user);
const char* cmd_fwrite(Kernel& k, const char* rest, int user);
const char* cmd_rewind(Kernel& k, const char* rest, int user);
const char* cmd_remove(Kernel& k, const char* rest, int user);
const char* cmd_session(Kernel& k, const char* rest, int user);
const char* cmd_layout(Kernel& k, const char* rest, int user);

const char* cmd_go(Kernel& k, const char* rest, int user);
const char* cmd_tgo(Kernel& k, const char* rest, int user);
const char* cmd_step(Kernel& k, const char* rest, int user);
const char* cmd_istep(Kernel& k, const char* rest, int user);
const char* cmd_ostep(Kernel& k, const char* rest, int user);
const char* cmd_finish(Kernel& k, const char* rest, int user);
const char* cmd_start(Kernel& k, const char* rest, int user);

// Words whose behaviour is not built yet: report "command not supported".
const char* cmd_unsupported(Kernel& k, const char* rest, int user);

}  // namespace yav
