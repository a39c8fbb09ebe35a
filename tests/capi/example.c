/* Frames a table through libzentab, as a C program would. */
#include <stdio.h>
#include <zentab.h>

int main(void) {
    static const char table[] = "Name|Qty\napple|3\n";
    zentab_options* options = zentab_options_new();
    zentab_options_set_frame_type(options, 6);
    zentab_result* result = zentab_convert(table, sizeof table - 1, options);
    int ok = zentab_result_ok(result);
    if (ok) {
        fwrite(zentab_result_data(result), 1, zentab_result_size(result), stdout);
    } else {
        fprintf(stderr, "zentab: %s\n", zentab_result_message(result));
    }
    zentab_result_free(result);
    zentab_options_free(options);
    return ok ? 0 : 1;
}
