// The page's last script, in the oldest JavaScript there is. Where the first script chose the
// JavaScript form, it starts it, as a script of the page's own that the policy allows by its hash.
// Then a browser that could not run the program (too old to parse it, or missing what it needs)
// has posed no problem, and says so instead of showing a window that would not answer.
(function () {
  if (document.documentElement.getAttribute('data-program') === 'javascript') {
    var script = document.createElement('script');
    script.text = document.getElementById('program-js').text;
    document.body.appendChild(script);
  }
  if (document.getElementById('a1').value !== '') return;
  document.getElementById('window').style.display = 'none';
  var message = document.getElementById('unsupported');
  message.removeAttribute('hidden');
  message.style.display = 'block';
})();
