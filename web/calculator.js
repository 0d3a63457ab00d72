// The calculator module's exports as plain JavaScript calls, for the page
// and for the tests under Node. Texts cross in UTF-8 through the module's
// one buffer: put() writes a text there, get() reads an answer back.
"use strict";

const Calculator = {
    // From the module's bytes, or from a fetch() of it, compiled as it comes.
    async open(source) {
        let instance;
        if (typeof Response !== "undefined" && source instanceof Response) {
            const copy = source.clone(); // a host may not say application/wasm
            instance = await WebAssembly.instantiateStreaming(source, {})
                .catch(async () => WebAssembly.instantiate(await copy.arrayBuffer(), {}))
                .then((made) => made.instance);
        } else {
            instance = (await WebAssembly.instantiate(source, {})).instance;
        }
        const x = instance.exports;
        if (x._initialize) {
            x._initialize();
        }
        const encoder = new TextEncoder();
        const decoder = new TextDecoder();
        const capacity = x.bufferSize();
        // Memory may grow between calls, which replaces its ArrayBuffer.
        let view = new Uint8Array(0);
        const buffer = () => {
            if (view.buffer !== x.memory.buffer) {
                view = new Uint8Array(x.memory.buffer, x.buffer(), capacity);
            }
            return view;
        };
        // A text that does not fit is an error, never half a text.
        const put = (text) => {
            const { read, written } = encoder.encodeInto(text, buffer());
            if (read !== text.length) {
                throw new RangeError(`text longer than the module's ${capacity} bytes`);
            }
            return written;
        };
        const get = (n) => {
            if (n < 0) { // the module's answer did not fit its buffer
                throw new RangeError(`answer longer than the module's ${capacity} bytes`);
            }
            return decoder.decode(buffer().subarray(0, n));
        };
        return {
            // The control table: the build's table module only (web/table.cpp).
            table: () => JSON.parse(get(x.table())),
            reset: () => x.reset(),
            // What the user did; each runs the core's rules and handlers.
            edited: (entry, text) => x.edited(entry, put(text)),
            focused: (entry) => x.focused(entry),
            cleared: () => x.cleared(),
            clicked: (option) => x.clicked(option),
            typedPasses: (entry, character) =>
                x.typedPasses(entry, character.codePointAt(0)) === 1,
            pastedPart: (text) => get(x.pastedLength(put(text))),
            // What to paint.
            entryText: (entry) => get(x.entryText(entry)),
            resultText: (result) => get(x.resultText(result)),
            isSelected: (option) => x.isSelected(option) === 1,
            markText: (entry) => get(x.markText(entry)),
            resultsGreyed: () => x.resultsGreyed() === 1,
            outline: () => ({ width: x.outlineWidth(), colour: x.outlineColour() >>> 0 }),
            // The six results as a short text to send a customer (calc/quote.h).
            quote: () => get(x.quote()),
            // The clock's text in the window's format.
            clock: (year, month, day, hour, minute, second) =>
                get(x.clock(year, month, day, hour, minute, second)),
            // The room panel: the room's texts as typed, in the order
            // web/room.h gives.
            roomSizes: (texts) => JSON.parse(get(x.roomSizes(put(texts.join("\n"))))),
        };
    },
};

if (typeof module !== "undefined") {
    module.exports = Calculator;
}
