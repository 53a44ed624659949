// Validates SARIF logs against the published SARIF 2.1.0 schema, offline:
//   node tools/sarif/validate.js FILE...
// Prints each file that fails with its errors; exits 1 when any fails.
'use strict';
const fs = require('fs');
const Ajv = require('ajv-draft-04');
const addFormats = require('ajv-formats');
const schema = require('@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json');

// The schema's language pattern is no valid Unicode regular expression.
const ajv = new Ajv({ allErrors: true, strict: false, unicodeRegExp: false });
addFormats(ajv);
const validate = ajv.compile(schema);
let failed = 0;
for (const file of process.argv.slice(2)) {
  let problem = null;
  try {
    if (!validate(JSON.parse(fs.readFileSync(file, 'utf8')))) problem = ajv.errorsText(validate.errors);
  } catch (e) {
    problem = e.message;
  }
  if (problem !== null) {
    failed++;
    console.log(`${file}: ${problem}`);
  }
}
process.exit(failed > 0 ? 1 : 0);
