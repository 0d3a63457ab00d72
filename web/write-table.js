// Writes the module's control table as JSON, for the build to put into the
// page:   node web/write-table.js screencalc.wasm table.json
"use strict";

const fs = require("fs");
const path = require("path");
const Calculator = require(path.join(__dirname, "calculator.js"));

Calculator.open(fs.readFileSync(process.argv[2])).then((calc) => {
    fs.writeFileSync(process.argv[3], JSON.stringify(calc.table()));
}).catch((error) => {
    console.error(`write-table.js: ${error.message}`);
    process.exit(1);
});
