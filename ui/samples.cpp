#include "ui/samples.h"

// The samples are code page 932 bytes, written as escapes so that they do not
// depend on the compiler's character sets; each line's characters stand above it.

const std::string& SampleA() {
    static const std::string text =
        // |ダ|ル|シ|ム|
        "|\x83_|\x83\x8B|\x83V|\x83\x80|\x0D\x0A"
        // |さあ、|create frame|ボタンを|押してみよう|
        "|\x82\xB3\x82\xA0\x81"
        "A|create "
        "frame|\x83{\x83^\x83\x93\x82\xF0|\x89\x9F\x82\xB5\x82\xC4\x82\xDD\x82\xE6\x82\xA4|\x0D\x0A"
        // |test|動作|||
        "|test|\x93\xAE\x8D\xEC|||";
    return text;
}

const std::string& SampleB() {
    static const std::string text =
        // |期|売 上 高|経 常 利 益|当 期 純 利 益|総 資 産|純 資 産|
        "|\x8A\xFA|\x94\x84 \x8F\xE3 \x8D\x82|\x8Co \x8F\xED \x97\x98 \x89v|\x93\x96 \x8A\xFA "
        "\x8F\x83 \x97\x98 \x89v|\x91\x8D \x8E\x91 \x8EY|\x8F\x83 \x8E\x91 \x8EY|\x0D\x0A"
        // |第３９期|4,081,813|353,332|206,181|7,439,678|6,741,363|
        "|\x91\xE6\x82R\x82X\x8A\xFA|4,081,813|353,332|206,181|7,439,678|6,741,363|\x0D\x0A"
        // |第３８期|3,557,147|299,572|165,716|7,270,035|6,666,887|
        "|\x91\xE6\x82R\x82W\x8A\xFA|3,557,147|299,572|165,716|7,270,035|6,666,887|\x0D\x0A"
        // |第３７期|3,494,734|280,372|69,853|7,307,429|6,734,343|
        "|\x91\xE6\x82R\x82V\x8A\xFA|3,494,734|280,372|69,853|7,307,429|6,734,343|\x0D\x0A"
        // |第３６期|3,463,297|282,972|147,812|7,489,828|6,899,663|
        "|\x91\xE6\x82R\x82U\x8A\xFA|3,463,297|282,972|147,812|7,489,828|6,899,663|\x0D\x0A"
        // |第３５期|3,533,997|380,940|203,325|7,516,313|6,854,183|
        "|\x91\xE6\x82R\x82T\x8A\xFA|3,533,997|380,940|203,325|7,516,313|6,854,183|";
    return text;
}
