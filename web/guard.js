// Run after the program, in the oldest JavaScript there is: a browser that could not run the
// program (too old to parse it, or missing what it needs) has posed no problem, and says so instead
// of showing a window that would not answer.
(function () {
  if (document.getElementById('a1').value !== '') return;
  document.getElementById('window').style.display = 'none';
  var message = document.getElementById('unsupported');
  message.removeAttribute('hidden');
  message.style.display = 'block';
})();
